#include "listview/TChangeHeaderForm.h"

#include "help/Help.h"
#include "platform/QtFormTranslator.h"

#include <QApplication>
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
#include <algorithm>
#include <array>

#include "lang/TLanguages.h"
#include "listview/RichCaption.h"
#include "platform/NumberInput.h"
#include "platform/QtCanvas.h"
#include "platform/QtText.h"
#include "util/Error.h"

namespace kalorina::gui {

namespace {

QString T(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

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
        : QStyledItemDelegate(parent), format_(format), lineHeight_(lineHeight)
    {
    }

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
            DrawRichCaption(canvas, lines[i], TAlignment::Center, false, TRect{0, top, width(), top + lineHeight}, 0,
                            lineHeight);
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
                                     std::string productKey, const Services& services, QWidget* parent)
    : QDialog(parent), editor_(format, std::move(registryName), std::move(productKey)), services_(services)
{
    setObjectName("ChangeHeaderForm");
    setWindowTitle(T("Lista fejléc átméretezés"));
    BuildControls(font);
    TranslateForm(this);
    ShowView();
    connect(columnsList_, &QListWidget::currentRowChanged, this, &TChangeHeaderForm::SelectionChanged);
    connect(columnsList_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (!showing_)
            editor_.SetTicked(columnsList_->row(item), item->checkState() == Qt::Checked);
    });
}

void TChangeHeaderForm::BuildControls(const QFont& font)
{
    auto* root = new QHBoxLayout(this);

    // Left: the preview, the column list and the move buttons.
    auto* left = new QVBoxLayout;
    viewPanel_ = new THeaderPreview;
    viewPanel_->setObjectName("ViewPanel");
    viewPanel_->setFont(font);
    viewPanel_->lineCount = editor_.Format().captionLineCount;
    QtCanvas measure(static_cast<QPaintDevice*>(this));
    measure.SetQFont(font);
    const int lineHeight = measure.TextMetrics().LineHeight();
    viewPanel_->setMinimumHeight(lineHeight * 2 + 16);
    left->addWidget(viewPanel_);

    columnsList_ = new QListWidget;
    columnsList_->setObjectName("ColumnsList");
    columnsList_->setFont(font);
    columnsList_->setItemDelegate(new TEntryDelegate(editor_.Format(), lineHeight, columnsList_));
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

void TChangeHeaderForm::ShowView()
{
    const ColumnSetupView v = editor_.View();
    showing_ = true;
    {
        const QSignalBlocker block(columnsList_);
        if (columnsList_->count() != static_cast<int>(v.entries.size())) {
            columnsList_->clear();
            for (std::size_t i = 0; i < v.entries.size(); ++i) {
                auto* item = new QListWidgetItem(columnsList_);
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            }
        }
        for (int i = 0; i < columnsList_->count(); ++i) {
            QListWidgetItem* item = columnsList_->item(i);
            item->setCheckState(v.entries[i].ticked ? Qt::Checked : Qt::Unchecked);
            item->setText(Q(RichCaptionPlainText(v.entries[i].caption, false)));
        }
        columnsList_->setCurrentRow(v.current);
    }
    if (v.columnEnabled) {
        width_->setText(Q(v.width));
        SetRadioIndex(titleAlignment_, v.titleAlignment);
        SetRadioIndex(dataAlignment_, v.dataAlignment);
        showZero_->setChecked(v.zeroShown);
        precision_->setText(Q(v.precision));
        digits_->setText(Q(v.digits));
        SetRadioIndex(floatFormat_, v.realFormat);
        const QSignalBlocker b0(userDefined_), b1(firstLine_), b2(secondLine_);
        userDefined_->setChecked(v.customCaption);
        factor_->setText(Q(v.factor));
        firstLine_->setText(Q(v.lines[0]));
        secondLine_->setText(Q(v.lines[1]));
    }
    moveUp_->setEnabled(v.moveUpEnabled);
    moveDown_->setEnabled(v.moveDownEnabled);
    showing_ = false;
    UpdateEnabling();
    columnsList_->viewport()->update();
}

void TChangeHeaderForm::UpdateEnabling()
{
    const ColumnSetupView v = editor_.View();
    const bool custom = userDefined_->isChecked();
    titleAlignment_->setEnabled(v.alignmentsEnabled);
    dataAlignment_->setEnabled(v.alignmentsEnabled);
    numberPropertis_->setEnabled(v.numberEnabled);
    showZero_->setEnabled(v.numberEnabled);
    floatFormat_->setEnabled(v.realEnabled);
    precision_->setEnabled(v.realEnabled);
    digits_->setEnabled(v.realEnabled);
    userDefined_->setEnabled(v.columnEnabled);
    width_->setEnabled(v.columnEnabled);
    firstLine_->setEnabled(custom);
    secondLine_->setEnabled(custom);
    factor_->setEnabled(custom && v.realEnabled);

    // The preview follows the caption being typed.
    if (v.columnEnabled && custom)
        viewPanel_->lines = {Cp(firstLine_->text()), Cp(secondLine_->text())};
    else
        viewPanel_->lines = v.captionLines;
    viewPanel_->update();
}

ColumnInput TChangeHeaderForm::ReadInput() const
{
    const ColumnSetupView v = editor_.View();
    ColumnInput in;
    if (!v.columnEnabled)
        return in;
    in.width = IntegerFromControl(width_, InputKind::ColumnWidth);
    in.titleAlignment = RadioIndex(titleAlignment_);
    in.dataAlignment = RadioIndex(dataAlignment_);
    in.zeroShown = showZero_->isChecked();
    in.realFormat = RadioIndex(floatFormat_);
    if (v.realEnabled) {
        in.precision = IntegerFromControl(precision_, InputKind::Precision);
        in.digits = IntegerFromControl(digits_, InputKind::Decimals);
    }
    in.customCaption = userDefined_->isChecked();
    in.lines = {Cp(firstLine_->text()), Cp(secondLine_->text())};
    // The factor reads as much of a number as it begins with, a comma counting as the point.
    std::string factor = Cp(factor_->text());
    std::replace(factor.begin(), factor.end(), ',', '.');
    in.factor = LeadingFloat(factor);
    return in;
}

void TChangeHeaderForm::SelectionChanged(int entry)
{
    try {
        editor_.Select(entry, ReadInput());
    } catch (const KalorinaError& e) {
        // The selection stays on the column with the bad entry, which keeps its text.
        const QSignalBlocker block(columnsList_);
        columnsList_->setCurrentRow(editor_.View().current);
        ShowFailure(services_, e.what());
        return;
    }
    ShowView();
}

void TChangeHeaderForm::Move(int delta)
{
    if (RunOrShowFailure(services_, [&] { editor_.Move(delta, ReadInput()); }))
        ShowView();
}

void TChangeHeaderForm::accept()
{
    const bool committed = RunOrShowFailure(services_, [&] {
        const std::string notice = editor_.Commit(ReadInput());
        if (!notice.empty())
            ShowFailure(services_, notice);
    });
    if (committed)
        QDialog::accept();
}

void TChangeHeaderForm::reject()
{
    editor_.Cancel();
    QDialog::reject();
}

} // namespace kalorina::gui
