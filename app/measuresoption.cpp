#include "app/measuresoption.h"

namespace zestora {

QCommandLineOption measuresOption()
{
    return QCommandLineOption(
        QStringLiteral("measures"),
        QStringLiteral("Whose cups and spoons the recipe uses: us, uk (a 568 ml pint) or au (a "
                       "250 ml cup and a 20 ml tablespoon). By default the locale's."),
        QStringLiteral("us|uk|au"));
}

std::optional<paste::KitchenMeasures> chosenMeasures(const QString& value, QString* problem)
{
    if (value.isEmpty())
        return paste::measuresOfLocale(QLocale::system());
    const std::optional<paste::KitchenMeasures> measures = paste::measuresNamed(value);
    if (!measures)
        *problem = QStringLiteral("The measures are us, uk or au, not %1.").arg(value);
    return measures;
}

} // namespace zestora
