#include "ReportPages.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <ostream>

#include "platform/QtReportTargets.h"

namespace kalorina::cli {

void EnsureGuiApplication()
{
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "kalorina-cli";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

int WriteReportPdf(Context& ctx, const std::string& path, const QPageLayout& layout, const ReportMaker& make)
{
    EnsureGuiApplication();
    const QString file = QString::fromLocal8Bit(path.c_str());
    {
        QFile probe(file);
        if (!probe.open(QIODevice::WriteOnly))
            return Fail(ctx, path + ": cannot be written");
    }
    gui::PdfReportTarget pdf(file, layout);
    auto report = make();
    report->Run(pdf);
    pdf.Finish();
    ctx.out << path << ": " << report->PageCount() << " page(s)\n";
    return kOk;
}

int WriteReportPngs(Context& ctx, const std::string& folder, const QPageLayout& layout, const ReportMaker& make)
{
    EnsureGuiApplication();
    const QString dir = QString::fromLocal8Bit(folder.c_str());
    if (!QDir().mkpath(dir))
        return Fail(ctx, folder + ": cannot make the folder");
    std::string unwritten;
    gui::ImageReportTarget images(layout, 150, [&](const QImage& page, int number) {
        const QString file = dir + QStringLiteral("/page-%1.png").arg(number, 3, 10, QLatin1Char('0'));
        if (!page.save(file) && unwritten.empty())
            unwritten = file.toStdString();
    });
    auto report = make();
    report->Run(images);
    if (!unwritten.empty())
        return Fail(ctx, unwritten + ": cannot be written");
    ctx.out << folder << ": " << report->PageCount() << " page(s)\n";
    return kOk;
}

} // namespace kalorina::cli
