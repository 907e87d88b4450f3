#include "ReportPages.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <ostream>

#include "app/ProjectFiles.h"
#include "platform/QtReportTargets.h"
#include "util/Codepage.h"
#include "util/Error.h"

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
    // Written beside the old file, which it replaces only once it is whole.
    std::string temp;
    try {
        temp = TemporaryFileBeside(path);
    } catch (const KalorinaError& e) {
        return Fail(ctx, Cp1250ToUtf8(e.what()));
    }
    auto report = make();
    bool whole = false;
    {
        gui::PdfReportTarget pdf(QString::fromLocal8Bit(temp.c_str()), layout);
        report->Run(pdf);
        whole = pdf.Finish();
    }
    if (!whole) {
        DiscardTemporaryFile(temp);
        return Fail(ctx, path + ": cannot be written whole; the old file, if any, is as it was");
    }
    try {
        CommitTemporaryFile(temp, path);
    } catch (const KalorinaError& e) {
        return Fail(ctx, Cp1250ToUtf8(e.what()));
    }
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
        const std::string path = file.toLocal8Bit().toStdString();
        try {
            const std::string temp = TemporaryFileBeside(path);
            if (!page.save(QString::fromLocal8Bit(temp.c_str()), "PNG")) {
                DiscardTemporaryFile(temp);
                if (unwritten.empty())
                    unwritten = path;
                return;
            }
            CommitTemporaryFile(temp, path);
        } catch (const KalorinaError&) {
            if (unwritten.empty())
                unwritten = path;
        }
    });
    auto report = make();
    report->Run(images);
    if (!unwritten.empty())
        return Fail(ctx, unwritten + ": cannot be written");
    ctx.out << folder << ": " << report->PageCount() << " page(s)\n";
    return kOk;
}

} // namespace kalorina::cli
