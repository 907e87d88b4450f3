#include "listview/TChangeHeaderForm.h"

#include "help/Help.h"
#include "platform/QtFormTranslator.h"

#include <QApplication>
#include <algorithm>
#include <array>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "lang/TLanguages.h"
#include "listview/RichCaption.h"
#include "platform/MessageBox.h"
#include "platform/QtCanvas.h"
#include "platform/QtText.h"
#include "util/Error.h"

namespace kalorina::gui {

namespace {

QString T(const char* utf8) { return QString::fromUtf8(utf8); }

// A group of radio buttons read and set by position, like a radio group.
QGroupBox* MakeRadioGroup(const QString& name, const QString& caption, std::initializer_list<const char*> items)
{
    auto* box = new QGroupBox(caption);
    box->setObjectName(name);
    auto* layout = new QVBoxLayout(box);
    for (const char* item : items)
        layout->addWidget(new QRadioButton(T(item)));
    return box;
}

int RadioIndex(QGroupBox* box)
{
    const auto buttons = box->findChildren<QRadioButton*>();
    for (int i = 0; i < buttons.size(); ++i)
        if (buttons[i]->isChecked())
            return i;
    return 0;
}

void SetRadioIndex(QGroupBox* box, int index)
{
    const auto buttons = box->findChildren<QRadioButton*>();
    if (index >= 0 && index < buttons.size())
        buttons[index]->setChecked(true);
}

int ToInteger(const QLineEdit* edit)
{
    bool ok = false;
    const int value = edit->text().trimmed().toInt(&ok);
    if (!ok)
        throw KalorinaError("'" + Cp(edit->text()) + "' is not a valid integer value");
    return value;
}

std::int16_t ToInt16(int value)
{
    return static_cast<std::int16_t>(std::clamp(value, -32768, 32767));
}

// The caption lines of a column joined into the one line the column list shows.
std::string EntryCaption(const TListHeaderFormat& format, const TListHeaderFormatCol& col)
{
    std::string text = col.Caption(0);
    for (int line = 1; line < format.captionLineCount; ++line)
        text += "\\p " + col.Caption(line);
    return text;
}

// Column list entries: the check box as usual, the caption in its mark-up.
class TEntryDelegate : public QStyledItemDelegate {
public:
    TEntryDelegate(const TListHeaderFormat& format, int lineHeight, QObject* parent)
        : QStyledItemDelegate(parent), format_(format), lineHeight_(lineHeight) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        opt.text.clear();
        const QWidget* widget = option.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
        const TListHeaderFormatCol* col = format_.ColumnAt(index.row());
        if (!col)
            return;
        const QRect r = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget);
        const bool selected = option.state & QStyle::State_Selected;
        const QColor colour = option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
        painter->save();
        QtCanvas canvas(*painter);
        canvas.SetQFont(option.font, RGBColor(colour.red(), colour.green(), colour.blue()));
        const TRect rect{r.left(), r.top() + 2, r.right() + 1, r.bottom() + 1};
        DrawRichCaption(canvas, EntryCaption(format_, *col), TAlignment::Left, false, rect, 0, lineHeight_);
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize s = QStyledItemDelegate::sizeHint(option, index);
        return QSize(s.width(), lineHeight_ + 4);
    }

private:
    const TListHeaderFormat& format_;
    int lineHeight_;
};

} // namespace

// The selected column's caption, centred, as the header will show it in full.
class THeaderPreview : public QWidget {
public:
    explicit THeaderPreview(QWidget* parent = nullptr) : QWidget(parent) {}
    std::array<std::string, 2> lines;
    int lineCount = 2;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::Button));
        QtCanvas canvas(painter);
        canvas.SetQFont(font());
        const int lineHeight = canvas.TextMetrics().LineHeight();
        int top = (height() - lineHeight * lineCount) / 2;
        for (int i = 0; i < lineCount; ++i, top += lineHeight)
            DrawRichCaption(canvas, lines[i], TAlignment::Center, false,
                            TRect{0, top, width(), top + lineHeight}, 0, lineHeight);
    }
};

namespace {
// Plain labels carry object names so that language files can translate them.
QLabel* NamedLabel(const char* name, const QString& text)
{
    auto* label = new QLabel(text);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}
} // namespace

TChangeHeaderForm::TChangeHeaderForm(TListHeaderFormat& format, const QFont& font, std::string registryName,
                                     std::string productKey, QWidget* parent)
    : QDialog(parent), format_(format), saved_(format), registryName_(std::move(registryName)),
      productKey_(std::move(productKey))
{
    setObjectName("ChangeHeaderForm");
    setWindowTitle(T("Lista fejléc átméretezés"));
    BuildControls(font);
    TranslateForm(this);
    FillList();
    if (columnsList_->count() > 0) {
        current_ = 0;
        columnsList_->setCurrentRow(0);
        LoadColumn(0);
    } else {
        UpdateMoveButtons();
        UpdateEnabling();
    }
    connect(columnsList_, &QListWidget::currentRowChanged, this, &TChangeHeaderForm::SelectionChanged);
}

void TChangeHeaderForm::BuildControls(const QFont& font)
{
    auto* root = new QHBoxLayout(this);

    // Left: the preview, the column list and the move buttons.
    auto* left = new QVBoxLayout;
    viewPanel_ = new THeaderPreview;
    viewPanel_->setObjectName("ViewPanel");
    viewPanel_->setFont(font);
    viewPanel_->lineCount = format_.captionLineCount;
    QtCanvas measure(static_cast<QPaintDevice*>(this));
    measure.SetQFont(font);
    const int lineHeight = measure.TextMetrics().LineHeight();
    viewPanel_->setMinimumHeight(lineHeight * 2 + 16);
    left->addWidget(viewPanel_);

    columnsList_ = new QListWidget;
    columnsList_->setObjectName("ColumnsList");
    columnsList_->setFont(font);
    columnsList_->setItemDelegate(new TEntryDelegate(format_, lineHeight, columnsList_));
    columnsList_->setMinimumWidth(320);
    left->addWidget(columnsList_, 1);
    auto* moves = new QHBoxLayout;
    moveUp_ = new QPushButton(T("Felfelé"));
    moveUp_->setObjectName("MoveUpButton");
    moveDown_ = new QPushButton(T("Lefelé"));
    moveDown_->setObjectName("MoveDownButton");
    moves->addWidget(moveUp_);
    moves->addWidget(moveDown_);
    left->addLayout(moves);
    root->addLayout(left, 1);

    // Right: the column's properties and the dialog buttons.
    auto* right = new QVBoxLayout;
    auto* widthRow = new QHBoxLayout;
    widthRow->addWidget(NamedLabel("WidthLabel", T("Oszlopszélesség:")));
    width_ = new QLineEdit;
    width_->setObjectName("Width");
    widthRow->addWidget(width_);
    right->addLayout(widthRow);

    auto* alignments = new QHBoxLayout;
    titleAlignment_ = MakeRadioGroup("TitleAlignment", T("A fejléc igazítása"), {"Balra", "Jobbra", "Középre"});
    dataAlignment_ = MakeRadioGroup("DataAlignment", T("Az érték igazítása"), {"Balra", "Jobbra", "Középre"});
    alignments->addWidget(titleAlignment_);
    alignments->addWidget(dataAlignment_);
    right->addLayout(alignments);

    numberPropertis_ = new QGroupBox(T("Értékek megjelenítési formája"));
    numberPropertis_->setObjectName("NumberPropertis");
    auto* number = new QGridLayout(numberPropertis_);
    showZero_ = new QCheckBox(T("A nulla érték is kijelzendő"));
    showZero_->setObjectName("ShowZero");
    number->addWidget(showZero_, 0, 0, 1, 2);
    number->addWidget(NamedLabel("PrecisionLabel", T("Értékes jegyek száma:")), 1, 0);
    precision_ = new QLineEdit;
    precision_->setObjectName("Precision");
    number->addWidget(precision_, 1, 1);
    number->addWidget(NamedLabel("DigitsLabel", T("Tizedesek száma:")), 2, 0);
    digits_ = new QLineEdit;
    digits_->setObjectName("Digits");
    number->addWidget(digits_, 2, 1);
    floatFormat_ = MakeRadioGroup("FloatFormat", T("Számábrázolás"), {"Általános", "Tudományos", "Fixpontos"});
    number->addWidget(floatFormat_, 0, 2, 3, 1);
    right->addWidget(numberPropertis_);

    userDefined_ = new QCheckBox(T("Egyedi fejléc alkalmazása"));
    userDefined_->setObjectName("UserDefined");
    right->addWidget(userDefined_);
    auto* custom = new QGridLayout;
    firstLine_ = new QLineEdit;
    firstLine_->setObjectName("FirstLine");
    secondLine_ = new QLineEdit;
    secondLine_->setObjectName("SecondLine");
    factor_ = new QLineEdit;
    factor_->setObjectName("Factor");
    custom->addWidget(NamedLabel("FirstLineLabel", T("1. sor:")), 0, 0);
    custom->addWidget(firstLine_, 0, 1);
    custom->addWidget(NamedLabel("SecondLineLabel", T("2. sor:")), 1, 0);
    custom->addWidget(secondLine_, 1, 1);
    custom->addWidget(NamedLabel("FactorLabel", T("Szorzó:")), 2, 0);
    custom->addWidget(factor_, 2, 1);
    right->addLayout(custom);
    right->addWidget(NamedLabel("SyntaxLabel", T("A szintaktikához lásd a súgót.")));
    right->addStretch(1);

    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(T("OK"));
    ok->setObjectName("OKButton");
    ok->setDefault(true);
    auto* cancel = new QPushButton(T("Mégsem"));
    cancel->setObjectName("CancelButton");
    auto* help = new QPushButton(T("Súgó"));
    help->setObjectName("HelpButton");
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(help);
    right->addLayout(buttons);
    root->addLayout(right);

    InstallHelp(this, HelpTopic::ColumnSetup, help);
    connect(ok, &QPushButton::clicked, this, &TChangeHeaderForm::accept);
    connect(cancel, &QPushButton::clicked, this, &TChangeHeaderForm::reject);
    connect(moveUp_, &QPushButton::clicked, this, [this] { Move(-1); });
    connect(moveDown_, &QPushButton::clicked, this, [this] { Move(+1); });
    connect(userDefined_, &QCheckBox::toggled, this, [this] { UpdateEnabling(); });
    for (QLineEdit* e : {firstLine_, secondLine_})
        connect(e, &QLineEdit::textChanged, this, [this] { UpdateEnabling(); });
}

void TChangeHeaderForm::FillList()
{
    columnsList_->clear();
    for (int i = 0; i < format_.ColumnCount(); ++i) {
        auto* item = new QListWidgetItem(columnsList_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(format_.ColumnAt(i)->visible ? Qt::Checked : Qt::Unchecked);
        UpdateEntryText(i);
    }
}

void TChangeHeaderForm::UpdateEntryText(int entry)
{
    const TListHeaderFormatCol* col = format_.ColumnAt(entry);
    if (QListWidgetItem* item = columnsList_->item(entry); item && col)
        item->setText(Q(RichCaptionPlainText(EntryCaption(format_, *col), false)));
}

void TChangeHeaderForm::LoadColumn(int entry)
{
    const TListHeaderFormatCol* col = format_.ColumnAt(entry);
    if (!col)
        return;
    const bool real = col->valueKind == TValueKind::Real;
    width_->setText(QString::number(col->width));
    SetRadioIndex(titleAlignment_, static_cast<int>(col->titleAlignment));
    SetRadioIndex(dataAlignment_, static_cast<int>(col->dataAlignment));
    showZero_->setChecked(col->zeroShown);
    precision_->setText(QString::number(col->precision));
    digits_->setText(QString::number(col->digits));
    SetRadioIndex(floatFormat_, static_cast<int>(col->realFormat));
    {
        const QSignalBlocker block(userDefined_);
        userDefined_->setChecked(col->customCaption);
    }
    factor_->setText(col->customCaption && real
                         ? Q(FloatToStrF(col->factor, TFloatFormat::General, 5, 0))
                         : QString("1."));
    const auto& lines = col->customCaption ? col->customCaptionLines : col->captionLines;
    {
        const QSignalBlocker b1(firstLine_), b2(secondLine_);
        firstLine_->setText(Q(lines[0]));
        secondLine_->setText(Q(lines[1]));
    }
    UpdateEnabling();
    UpdateMoveButtons();
}

void TChangeHeaderForm::UpdateEnabling()
{
    const TListHeaderFormatCol* col = format_.ColumnAt(current_);
    const bool number = col && col->IsNumber();
    const bool real = col && col->valueKind == TValueKind::Real;
    const bool custom = userDefined_->isChecked();
    titleAlignment_->setEnabled(current_ > 0);
    dataAlignment_->setEnabled(current_ > 0);
    numberPropertis_->setEnabled(number);
    showZero_->setEnabled(number);
    floatFormat_->setEnabled(real);
    precision_->setEnabled(real);
    digits_->setEnabled(real);
    userDefined_->setEnabled(col != nullptr);
    width_->setEnabled(col != nullptr);
    firstLine_->setEnabled(custom);
    secondLine_->setEnabled(custom);
    factor_->setEnabled(custom && real);

    // The preview follows the caption being typed.
    if (col && custom)
        viewPanel_->lines = {Cp(firstLine_->text()), Cp(secondLine_->text())};
    else if (col)
        viewPanel_->lines = col->captionLines;
    else
        viewPanel_->lines = {};
    viewPanel_->update();
}

void TChangeHeaderForm::UpdateMoveButtons()
{
    const int last = columnsList_->count() - 1;
    moveUp_->setEnabled(current_ > 1);
    moveDown_->setEnabled(current_ > 0 && current_ < last);
}

void TChangeHeaderForm::StoreColumn(int entry)
{
    TListHeaderFormatCol* col = format_.ColumnAt(entry);
    if (!col)
        return;
    TListHeaderFormatCol edited = *col;
    edited.width = ToInt16(std::max(ToInteger(width_), 3));
    edited.titleAlignment = static_cast<TAlignment>(RadioIndex(titleAlignment_));
    edited.dataAlignment = static_cast<TAlignment>(RadioIndex(dataAlignment_));
    if (edited.IsNumber())
        edited.zeroShown = showZero_->isChecked();
    if (edited.valueKind == TValueKind::Real) {
        edited.realFormat = static_cast<TFloatFormat>(RadioIndex(floatFormat_));
        edited.precision = ToInt16(ToInteger(precision_));
        edited.digits = ToInt16(ToInteger(digits_));
    }
    edited.customCaption = userDefined_->isChecked();
    if (edited.customCaption) {
        edited.customCaptionLines = {Cp(firstLine_->text()), Cp(secondLine_->text())};
        std::string factor = Cp(factor_->text());
        std::replace(factor.begin(), factor.end(), ',', '.');
        edited.factor = static_cast<float>(LeadingFloat(factor));
    }
    *col = edited;
    UpdateEntryText(entry);
}

void TChangeHeaderForm::ShowMessage(const std::string& text)
{
    MessageBox::Instance().Show(MessageKind::Warning, Languages().GetText("IDS_PROGRAMTITLE"), text);
}

void TChangeHeaderForm::SelectionChanged(int entry)
{
    if (entry == current_ || entry < 0)
        return;
    try {
        StoreColumn(current_);
    } catch (const KalorinaError& e) {
        const QSignalBlocker block(columnsList_);
        columnsList_->setCurrentRow(current_);
        ShowMessage(e.what());
        return;
    }
    current_ = entry;
    LoadColumn(entry);
}

void TChangeHeaderForm::Move(int delta)
{
    const int target = current_ + delta;
    if (current_ < 1 || target < 1 || target >= columnsList_->count())
        return;
    try {
        StoreColumn(current_);
    } catch (const KalorinaError& e) {
        ShowMessage(e.what());
        return;
    }
    QListWidgetItem* a = columnsList_->item(current_);
    QListWidgetItem* b = columnsList_->item(target);
    const Qt::CheckState state = a->checkState();
    a->setCheckState(b->checkState());
    b->setCheckState(state);
    format_.SwapColumns(current_, target);
    UpdateEntryText(current_);
    UpdateEntryText(target);
    current_ = target;
    {
        const QSignalBlocker block(columnsList_);
        columnsList_->setCurrentRow(target);
    }
    LoadColumn(target);
    columnsList_->viewport()->update();
}

void TChangeHeaderForm::accept()
{
    try {
        StoreColumn(current_);
    } catch (const KalorinaError& e) {
        ShowMessage(e.what());
        return;
    }
    for (int i = 1; i < columnsList_->count(); ++i)
        format_.ColumnAt(i)->visible = columnsList_->item(i)->checkState() == Qt::Checked;
    if (columnsList_->count() > 0 && columnsList_->item(0)->checkState() != Qt::Checked) {
        ShowMessage(Languages().GetResourceText(32000));
        columnsList_->item(0)->setCheckState(Qt::Checked);
        format_.ColumnAt(0)->visible = true;
    }
    if (!registryName_.empty())
        format_.SaveLayout(productKey_, registryName_);
    QDialog::accept();
}

void TChangeHeaderForm::reject()
{
    format_ = saved_;
    QDialog::reject();
}

} // namespace kalorina::gui
