#include "report/TPrintPreviewForm.h"

#include <QComboBox>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <cerrno>

#include "app/FileErrors.h"
#include "app/ProjectFiles.h"
#include "help/Help.h"
#include "lang/TLanguages.h"
#include "platform/Printer.h"
#include "platform/QtFormTranslator.h"
#include "platform/QtText.h"
#include "report/TGotoPageForm.h"
#include "util/Error.h"

namespace kalorina::gui {

// The paint area of the preview: white, with the current page stretched over it.
class TPageImage : public QWidget {
public:
    TPageImage(const PreviewReportTarget& pages, const PreviewNavigator& navigator, QWidget* parent)
        : QWidget(parent), pages_(pages), navigator_(navigator)
    {
        setObjectName(QStringLiteral("PageImage"));
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        pages_.DrawPage(p, navigator_.Current(), QRect(0, 0, width(), height()));
    }

private:
    const PreviewReportTarget& pages_;
    const PreviewNavigator& navigator_;
};

bool SaveReportAsPdf(const std::function<std::unique_ptr<TBReport>()>& makeReport, const QPageLayout& layout,
                     const Services& services, const std::string& proposedFile)
{
    FileDialogRequest request;
    request.save = true;
    request.title = Cp(QStringLiteral("Mentés PDF-be"));
    request.filter = "PDF (*.pdf)|*.pdf";
    request.defaultExtension = "pdf";
    request.initialFile = proposedFile;
    const std::string path = services.files->Run(request);
    if (path.empty())
        return false;
    // Written beside the old file, which it replaces only once it is whole.
    std::string temp;
    try {
        temp = TemporaryFileBeside(path);
    } catch (const KalorinaError& e) {
        ShowFailure(services, e.what());
        return false;
    }
    bool whole = false;
    {
        PdfReportTarget pdf(QString::fromLocal8Bit(temp.c_str()), layout);
        makeReport()->Run(pdf);
        whole = pdf.Finish();
    }
    try {
        if (!whole) {
            DiscardTemporaryFile(temp);
            RaiseFileError("IDS_CANNOTWRITEFILE", path, ENOSPC);
        }
        CommitTemporaryFile(temp, path);
    } catch (const KalorinaError& e) {
        ShowFailure(services, e.what());
        return false;
    }
    return true;
}

TPrintPreviewForm::TPrintPreviewForm(const PreviewReportTarget& pages,
                                     std::function<std::unique_ptr<TBReport>()> makeReport, const Services& services,
                                     PrinterService& printer, QWidget* parent)
    : QDialog(parent), pages_(pages), makeReport_(std::move(makeReport)), services_(services), printer_(printer),
      navigator_(pages.PageCount(), pages.DisplayWidth(logicalDpiX()), pages.DisplayHeight(logicalDpiY()),
                 ProcessPrintingOptions())
{
    setObjectName(QStringLiteral("PrintPreviewForm"));
    setWindowTitle(QStringLiteral("Nyomtatási kép"));
    auto* tools = new QToolBar(this);
    auto action = [&](QAction*& a, const char* name, const QString& caption, QStyle::StandardPixmap icon) {
        a = tools->addAction(style()->standardIcon(icon), caption);
        a->setObjectName(QString::fromLatin1(name));
        a->setToolTip(caption);
    };
    action(First, "First", QStringLiteral("Első oldalra"), QStyle::SP_MediaSkipBackward);
    action(Previous, "Previous", QStringLiteral("Előző oldalra"), QStyle::SP_MediaSeekBackward);
    action(Next, "Next", QStringLiteral("Következő oldalra"), QStyle::SP_MediaSeekForward);
    action(Last, "Last", QStringLiteral("Utolsó oldalra"), QStyle::SP_MediaSkipForward);
    action(Number, "Number", QStringLiteral("Adott sorszámú lapra"), QStyle::SP_FileDialogContentsView);
    tools->addSeparator();
    ZoomComboBox = new QComboBox(this);
    ZoomComboBox->setObjectName(QStringLiteral("ZoomComboBox"));
    ZoomComboBox->setToolTip(QStringLiteral("Nagyítás"));
    tools->addWidget(ZoomComboBox);
    PageNumber = new QLabel(this);
    PageNumber->setObjectName(QStringLiteral("PageNumber"));
    PageNumber->setMinimumWidth(80);
    tools->addWidget(PageNumber);
    tools->addSeparator();
    action(Print, "Print", QStringLiteral("Nyomtatás"), QStyle::SP_DialogYesButton);
    action(SaveAsPdf, "SaveAsPdf", QStringLiteral("Mentés PDF-be..."), QStyle::SP_DialogSaveButton);
    action(Exit, "Exit", QStringLiteral("Vissza"), QStyle::SP_DialogCloseButton);
    tools->setToolButtonStyle(Qt::ToolButtonIconOnly);
    if (auto* b = qobject_cast<QToolButton*>(tools->widgetForAction(SaveAsPdf)))
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);

    ScrollBox = new QScrollArea(this);
    ScrollBox->setObjectName(QStringLiteral("ScrollBox"));
    ScrollBox->setBackgroundRole(QPalette::Dark);
    ScrollBox->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    PageImage = new TPageImage(pages_, navigator_, ScrollBox);
    ScrollBox->setWidget(PageImage);

    Cancel = new QPushButton(QStringLiteral("Vissza"), this);
    Cancel->setObjectName(QStringLiteral("Cancel"));
    Help = new QPushButton(QStringLiteral("Súgó"), this);
    Help->setObjectName(QStringLiteral("Help"));
    InstallHelp(this, HelpTopic::Printing, Help);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Cancel);
    buttons->addWidget(Help);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tools);
    layout->addWidget(ScrollBox, 1);
    layout->addLayout(buttons);

    for (const auto& z : navigator_.GetView().zoomTexts)
        ZoomComboBox->addItem(Q(z));
    ZoomComboBox->setCurrentIndex(navigator_.GetView().zoomIndex);

    auto move = [this](bool (PreviewNavigator::*step)()) {
        return [this, step] {
            if ((navigator_.*step)())
                ShowView();
        };
    };
    connect(First, &QAction::triggered, this, move(&PreviewNavigator::First));
    connect(Previous, &QAction::triggered, this, move(&PreviewNavigator::Previous));
    connect(Next, &QAction::triggered, this, move(&PreviewNavigator::Next));
    connect(Last, &QAction::triggered, this, move(&PreviewNavigator::Last));
    connect(Number, &QAction::triggered, this, &TPrintPreviewForm::NumberExecute);
    connect(Print, &QAction::triggered, this, &TPrintPreviewForm::PrintExecute);
    connect(SaveAsPdf, &QAction::triggered, this, &TPrintPreviewForm::SaveAsPdfExecute);
    connect(Exit, &QAction::triggered, this, &QDialog::reject);
    connect(Cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ZoomComboBox, &QComboBox::currentIndexChanged, this, &TPrintPreviewForm::ZoomComboBoxChange);

    resize(900, 760);
    if (ProcessPrintingOptions().previewMaximized)
        setWindowState(windowState() | Qt::WindowMaximized);
    TranslateForm(this);
    ShowView();
}

TPrintPreviewForm::~TPrintPreviewForm()
{
    ProcessPrintingOptions().previewMaximized = isMaximized();
}

void TPrintPreviewForm::ShowView()
{
    const auto v = navigator_.GetView();
    PageNumber->setText(Q(v.pageLabel));
    First->setEnabled(v.first);
    Previous->setEnabled(v.previous);
    Next->setEnabled(v.next);
    Last->setEnabled(v.last);
    PageImage->setFixedSize(v.imageWidth, v.imageHeight);
    PageImage->update();
}

void TPrintPreviewForm::NumberExecute()
{
    GotoPageEditor editor(navigator_.PageCount(), navigator_.Current() + 1);
    TGotoPageForm form(editor, *services_.messages, this);
    if (form.exec() == QDialog::Accepted && navigator_.GoToNumber(editor.Value()))
        ShowView();
}

void TPrintPreviewForm::PrintExecute()
{
    PrinterService& printer = printer_;
    if (!printer.Choose(this))
        return;
    QPrinter& device = printer.Printer();
    device.setFullPage(true);
    QPainter painter;
    if (!painter.begin(&device)) {
        ShowFailure(services_, PrintJobFailure(printer));
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect sheet = device.pageLayout().fullRectPixels(device.resolution());
    pages_.DrawPage(painter, navigator_.Current(), QRect(0, 0, sheet.width(), sheet.height()));
    painter.end();
}

void TPrintPreviewForm::SaveAsPdfExecute()
{
    SaveReportAsPdf(makeReport_, printer_.Printer().pageLayout(), services_, proposedPdf);
}

void TPrintPreviewForm::ZoomComboBoxChange(int index)
{
    navigator_.SetZoom(index);
    ShowView();
}

} // namespace kalorina::gui
