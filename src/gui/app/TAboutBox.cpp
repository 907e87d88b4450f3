#include "app/TAboutBox.h"

#include <algorithm>

#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/AppPaths.h"
#include "app/ProgramIdentity.h"
#include "platform/QtFormTranslator.h"
#include "platform/QtText.h"

namespace kalorina::gui {

// Cells of the picture's grid, numbered row * 3 + column.
const int TAboutBox::kAccessSequence[8] = {0, 4, 8, 2, 6, 1, 7, 5};

TAboutBox::TAboutBox(QWidget* parent, std::function<std::vector<std::string>()> securityCodes)
    : QDialog(parent), securityCodes_(std::move(securityCodes))
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("Névjegy"));
    auto* grid = new QGridLayout(this);
    ProgramIcon = new QLabel(this);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setFixedSize(160, 120);
    ProgramIcon->setScaledContents(true);
    QPixmap picture(ProgramPicturePath());
    if (!picture.isNull())
        ProgramIcon->setPixmap(picture);
    else
        ProgramIcon->setFrameShape(QFrame::Box);
    ProgramIcon->installEventFilter(this);
    grid->addWidget(ProgramIcon, 0, 0, 5, 1);

    const ProgramIdentity identity;
    ProductName = new QLabel(Q(identity.productName), this);
    ProductName->setObjectName(QStringLiteral("ProductName"));
    Version = new QLabel(Q(identity.version), this);
    Version->setObjectName(QStringLiteral("Version"));
    Maker = new QLabel(Q(identity.maker), this);
    Maker->setObjectName(QStringLiteral("Maker"));
    auto link = [this](const char* name, const QString& text, const QString& url) {
        auto* l = new QLabel(QStringLiteral("<a href=\"%1\">%2</a>").arg(url, text.toHtmlEscaped()), this);
        l->setObjectName(QString::fromLatin1(name));
        l->setOpenExternalLinks(true);
        return l;
    };
    grid->addWidget(ProductName, 0, 1);
    grid->addWidget(Version, 1, 1);
    grid->addWidget(Maker, 2, 1);
    grid->addWidget(link("MakerHomePage", QStringLiteral("https://kalorina.example.org"),
                         QStringLiteral("https://kalorina.example.org")),
                    3, 1);
    grid->addWidget(link("BrandMail", QStringLiteral("info@vexalon.example.com"),
                         QStringLiteral("mailto:info@vexalon.example.com")),
                    4, 1);
    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    grid->addWidget(OKButton, 5, 1, Qt::AlignRight);

    CodesMemo = new QPlainTextEdit(this);
    CodesMemo->setObjectName(QStringLiteral("CodesMemo"));
    CodesMemo->setReadOnly(true);
    CodesMemo->hide();
    grid->addWidget(CodesMemo, 0, 0, 5, 1);

    setFixedSize(sizeHint());
    gui::TranslateForm(this);
}

std::string TAboutBox::ReportIdentification() const
{
    // The captions as shown, so a translated about box yields a translated line.
    return kalorina::ReportIdentification({Cp(ProductName->text()), Cp(Version->text()), Cp(Maker->text())});
}

int TAboutBox::CellAt(int x, int y) const
{
    int w = ProgramIcon->width() / 3, h = ProgramIcon->height() / 3;
    if (w <= 0 || h <= 0)
        return -1;
    // A picture whose size is not a multiple of three leaves a few pixels past the
    // third third; they belong to the last column or row, not to a cell beyond.
    return std::clamp(y / h, 0, 2) * 3 + std::clamp(x / w, 0, 2);
}

bool TAboutBox::PictureClicked(int x, int y)
{
    int cell = CellAt(x, y);
    if (cell < 0)
        return false;
    if (cell == kAccessSequence[counter_]) {
        if (++counter_ == 8) {
            counter_ = 0;
            CodesMemo->clear();
            if (securityCodes_)
                for (const auto& line : securityCodes_())
                    CodesMemo->appendPlainText(Q(line));
            CodesMemo->show();
            CodesMemo->raise();
            return true;
        }
    } else {
        counter_ = 0;
    }
    return false;
}

bool TAboutBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ProgramIcon && event->type() == QEvent::MouseButtonPress) {
        auto* e = static_cast<QMouseEvent*>(event);
        PictureClicked(e->position().toPoint().x(), e->position().toPoint().y());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kalorina::gui
