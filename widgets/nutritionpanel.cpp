#include "widgets/nutritionpanel.h"

#include "ui_nutritionpanel.h"

#include <QKeyEvent>
#include <QPainter>

#include <array>

namespace zestora {

namespace {

using Caption = LaidOutLabel* Ui::NutritionPanel::*;

// Each caption's name on the screens of the three forms.
struct CaptionNames {
    Caption caption;
    const char* recipe;
    const char* storedRecipe;
    const char* ingredient;
};

constexpr std::array<CaptionNames, 17> captionNames{{
    {&Ui::NutritionPanel::titleCaption, "NfTitleLbl", "Label4", "Label4"},
    {&Ui::NutritionPanel::servingCaption, "NfPerServingLbl", "Label5", "Label5"},
    {&Ui::NutritionPanel::amountCaption, "NfAmountLbl", "Label6", "Label6"},
    {&Ui::NutritionPanel::caloriesCaption, "NfCaloriesLbl", "Label7", "Label7"},
    {&Ui::NutritionPanel::fatCaloriesCaption, "NfFatCaloriesLbl", "Label8", "Label8"},
    {&Ui::NutritionPanel::dailyValueCaption, "NfDailyValueLbl", "Label9", "Label9"},
    {&Ui::NutritionPanel::fatCaption, "NfFatLbl", "Label10", "Label10"},
    {&Ui::NutritionPanel::satFatCaption, "NfSatFatLbl", "Label2", "Label26"},
    {&Ui::NutritionPanel::cholesterolCaption, "NfCholesterolLbl", "Label12", "Label12"},
    {&Ui::NutritionPanel::sodiumCaption, "NfSodiumLbl", "Label13", "Label13"},
    {&Ui::NutritionPanel::carbCaption, "NfCarbLbl", "Label14", "Label14"},
    {&Ui::NutritionPanel::carbCaption2, "carbCaption2", "Label3", "carbCaption2"},
    {&Ui::NutritionPanel::fiberCaption, "NfFiberLbl", "Label17", "Label25"},
    {&Ui::NutritionPanel::proteinCaption, "NfProteinLbl", "Label15", "Label15"},
    {&Ui::NutritionPanel::footnote, "NfFootnoteLbl", "Label11", "Label16"},
    {&Ui::NutritionPanel::footnote2, "footnote2", "Label16", "footnote2"},
    {&Ui::NutritionPanel::footnote3, "footnote3", "Label18", "footnote3"},
}};

using Value = QString nutrition::PanelTexts::*;

constexpr std::array<std::pair<LaidOutLabel * Ui::NutritionPanel::*, Value>, 15> valueLabels{{
    {&Ui::NutritionPanel::lblCals, &nutrition::PanelTexts::cals},
    {&Ui::NutritionPanel::lblFCals, &nutrition::PanelTexts::fatCals},
    {&Ui::NutritionPanel::lblFg, &nutrition::PanelTexts::fatG},
    {&Ui::NutritionPanel::lblFP, &nutrition::PanelTexts::fatPct},
    {&Ui::NutritionPanel::lblSFg, &nutrition::PanelTexts::satFatG},
    {&Ui::NutritionPanel::lblSFP, &nutrition::PanelTexts::satFatPct},
    {&Ui::NutritionPanel::lblCg, &nutrition::PanelTexts::cholG},
    {&Ui::NutritionPanel::lblCP, &nutrition::PanelTexts::cholPct},
    {&Ui::NutritionPanel::lblSg, &nutrition::PanelTexts::sodiumG},
    {&Ui::NutritionPanel::lblSP, &nutrition::PanelTexts::sodiumPct},
    {&Ui::NutritionPanel::lblTCg, &nutrition::PanelTexts::carbsG},
    {&Ui::NutritionPanel::lblTCP, &nutrition::PanelTexts::carbsPct},
    {&Ui::NutritionPanel::lblTFg, &nutrition::PanelTexts::fiberG},
    {&Ui::NutritionPanel::lblTFP, &nutrition::PanelTexts::fiberPct},
    {&Ui::NutritionPanel::lblPg, &nutrition::PanelTexts::proteinG},
}};

} // namespace

NutritionPanel::NutritionPanel(QWidget* parent)
    : QFrame(parent)
    , m_ui(std::make_unique<Ui::NutritionPanel>())
{
    m_ui->setupUi(this);
    setForm(Form::StoredRecipe);
    for (QLabel* label : findChildren<QLabel*>())
        if (label->minimumWidth() > 0)
            m_numberRooms.emplace_back(label, label->minimumWidth());
}

NutritionPanel::~NutritionPanel() = default;

void NutritionPanel::setForm(Form form)
{
    for (const CaptionNames& names : captionNames)
        (m_ui.get()->*names.caption)
            ->setObjectName(QLatin1StringView(form == Form::Recipe         ? names.recipe
                                              : form == Form::StoredRecipe ? names.storedRecipe
                                                                           : names.ingredient));
    const bool stored = form == Form::StoredRecipe;
    // The stored recipes panel writes the carbohydrate caption and the footnote over several
    // labels, and draws two more separators.
    for (QWidget* part : std::initializer_list<QWidget*>{
             m_ui->carbCaption2, m_ui->footnote2, m_ui->footnote3, m_ui->PicRule4, m_ui->PicRule5})
        part->setVisible(stored);
    m_ui->carbCaption->setText(stored ? QStringLiteral(" Total ")
                                      : QStringLiteral("Total Carbohydrate"));
    m_ui->footnote->setText(stored
                                ? QStringLiteral("*Percent Daily Values based")
                                : QStringLiteral("* Percent Daily Values based on a 2,000 "
                                                 "calorie diet.  Your daily values may differ."));
    m_ui->footnote->setWordWrap(!stored);
    m_ui->servingCaption->setText(form == Form::Ingredient ? QStringLiteral("Serving Size")
                                                           : QStringLiteral(" Per Serving"));
    m_ui->lbl2M->setVisible(form == Form::Ingredient);
}

void NutritionPanel::setValues(const nutrition::PanelTexts& values)
{
    m_values = values;
    for (const auto& [label, value] : valueLabels)
        (m_ui.get()->*label)->setText(values.*value);
}

void NutritionPanel::setName(const QString& name)
{
    // A name too long for the panel ends in "..."; the tip shows it whole.
    m_ui->lblName->setText(name);
    m_ui->lblName->setToolTip(name);
}

void NutritionPanel::setServing(const QString& serving)
{
    m_ui->lbl1M->setText(serving);
}

QString NutritionPanel::serving() const
{
    return m_ui->lbl1M->text();
}

void NutritionPanel::setSecondServing(const QString& serving)
{
    m_ui->lbl2M->setText(serving);
}

void NutritionPanel::clear()
{
    setValues({});
    setName(QString());
    setServing(QString());
    setSecondServing(QString());
}

void NutritionPanel::makeRowsFocusable(QWidget* after)
{
    QWidget* previous = after;
    for (const Row& row : rows()) {
        row.value->setFocusPolicy(Qt::StrongFocus);
        row.value->installEventFilter(this);
        setTabOrder(previous, row.value);
        previous = row.value;
    }
}

bool NutritionPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        update();
    } else if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const QList<Row> all = rows();
        qsizetype at = 0;
        while (at < all.size() && all[at].value != watched)
            ++at;
        const qsizetype to = key == Qt::Key_Up     ? at - 1
                             : key == Qt::Key_Down ? at + 1
                             : key == Qt::Key_Home ? 0
                             : key == Qt::Key_End  ? all.size() - 1
                                                   : -2;
        if (to != -2 && at < all.size()) {
            all[qBound(qsizetype(0), to, all.size() - 1)].value->setFocus(Qt::OtherFocusReason);
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

void NutritionPanel::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    for (const Row& row : rows()) {
        if (!row.value->hasFocus())
            continue;
        // The whole row is framed, from one separator to the next, also while it shows no number.
        QRect area = row.value->geometry();
        for (const QLabel* caption : row.captions)
            area |= caption->geometry();
        if (row.percent)
            area |= row.percent->geometry();
        const QRect inside = layout()->contentsRect();
        area.setLeft(inside.left());
        area.setRight(inside.right());
        QPainter painter(this);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRect(area.adjusted(-1, -1, 0, 0));
    }
}

bool NutritionPanel::event(QEvent* event)
{
    if (event->type() == QEvent::LayoutRequest || event->type() == QEvent::Polish)
        keepRoomForTexts();
    return QFrame::event(event);
}

void NutritionPanel::keepRoomForTexts()
{
    // The room kept for a number holds as long as the number fits in it, and the screen's width
    // for the panel as long as the texts do; larger numbers, or a larger font, widen them rather
    // than crowding the labels into one another. A number's room that grows asks for the layout
    // again, and the panel's width follows once the rooms hold still.
    bool roomsChanged = false;
    for (const auto& [label, room] : m_numberRooms) {
        const int needed = std::max(room, label->minimumSizeHint().width());
        roomsChanged = roomsChanged || needed != label->minimumWidth();
        label->setMinimumWidth(needed);
    }
    if (roomsChanged)
        return;
    if (!m_givenWidth)
        m_givenWidth = std::pair{minimumWidth(), maximumWidth()};
    const int needed = layout()->totalMinimumSize().width();
    setMinimumWidth(std::max(m_givenWidth->first, needed));
    setMaximumWidth(std::max(m_givenWidth->second, needed));
}

QList<NutritionPanel::Row> NutritionPanel::rows() const
{
    using nutrition::Nutrient;
    const Ui::NutritionPanel& ui = *m_ui;
    return {{Nutrient::Calories, {ui.caloriesCaption}, ui.lblCals, nullptr},
            {Nutrient::TotalFat, {ui.fatCaption}, ui.lblFg, ui.lblFP},
            {Nutrient::SatFat, {ui.satFatCaption}, ui.lblSFg, ui.lblSFP},
            {Nutrient::Cholesterol, {ui.cholesterolCaption}, ui.lblCg, ui.lblCP},
            {Nutrient::Sodium, {ui.sodiumCaption}, ui.lblSg, ui.lblSP},
            {Nutrient::TotalCarbs, {ui.carbCaption, ui.carbCaption2}, ui.lblTCg, ui.lblTCP},
            {Nutrient::Fiber, {ui.fiberCaption}, ui.lblTFg, ui.lblTFP},
            {Nutrient::Protein, {ui.proteinCaption}, ui.lblPg, nullptr}};
}

QList<const QLabel*> NutritionPanel::printedLabels() const
{
    const Ui::NutritionPanel& ui = *m_ui;
    return {ui.titleCaption,
            ui.servingCaption,
            ui.lbl1M,
            ui.amountCaption,
            ui.caloriesCaption,
            ui.lblCals,
            ui.fatCaloriesCaption,
            ui.lblFCals,
            ui.dailyValueCaption,
            ui.fatCaption,
            ui.lblFg,
            ui.lblFP,
            ui.cholesterolCaption,
            ui.lblCg,
            ui.lblCP,
            ui.sodiumCaption,
            ui.lblSg,
            ui.lblSP,
            ui.carbCaption,
            ui.lblTCg,
            ui.lblTCP,
            ui.proteinCaption,
            ui.lblPg,
            ui.lblPP,
            ui.satFatCaption,
            ui.fiberCaption,
            ui.carbCaption2,
            ui.footnote,
            ui.footnote2,
            ui.footnote3,
            ui.lblSFg,
            ui.lblSFP,
            ui.lblTFg,
            ui.lblTFP};
}

QList<const QFrame*> NutritionPanel::rules() const
{
    const Ui::NutritionPanel& ui = *m_ui;
    return {ui.PicRule4,    ui.PicRule1,    ui.PicRule5,    ui.PicRule2,
            ui.PicRow0Rule, ui.PicRow1Rule, ui.PicRow2Rule, ui.PicRow3Rule,
            ui.PicRow4Rule, ui.PicRow5Rule, ui.PicRow6Rule, ui.PicRule3};
}

} // namespace zestora
