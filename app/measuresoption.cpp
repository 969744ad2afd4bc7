#include "app/measuresoption.h"

#include "app/launcher.h"

#include <QTextStream>

namespace zestora {

QCommandLineOption measuresOption()
{
    return QCommandLineOption(
        QStringLiteral("measures"),
        QStringLiteral("Whose cups and spoons the recipe uses: us, uk (a 568 ml pint) or au (a "
                       "250 ml cup and a 20 ml tablespoon). By default the locale's."),
        QStringLiteral("us|uk|au"));
}

std::optional<paste::KitchenMeasures> chosenMeasures(const QString& value, QTextStream& err)
{
    if (value.isEmpty())
        return paste::measuresOfLocale(QLocale::system());
    const std::optional<paste::KitchenMeasures> measures = paste::measuresNamed(value);
    if (!measures)
        err << "The measures are us, uk or au, not " << value << "." << Qt::endl << usage;
    return measures;
}

} // namespace zestora
