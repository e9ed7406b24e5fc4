// --pdf: the chart as a document to print.
#include "findparts.h"
#include "scorelines.h"

#include "textdecode.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef CHORDVANE_CHART_PDF
#include "chartpdf.h"

#include <QGuiApplication>

#include <memory>
#endif

#include <ostream>

namespace chordvane::cli {

bool writeChartPdf(const QString &text, const QString &title, const Options &options,
                   std::ostream &err)
{
    const auto refuse = [&](const std::string &why) {
        err << "chordvane-find: --pdf " << quoteForMessage(options.pdfPath) << ": " << why << '\n';
        return false;
    };
#ifdef CHORDVANE_CHART_PDF
    // Fonts need a GUI application; without a display, the offscreen one,
    // whose start-up notes (no runtime folder ...) are not the command's.
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    std::unique_ptr<QGuiApplication> application;
    if (!QGuiApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "chordvane-find";
        static char *argv[] = {name, nullptr};
        application = std::make_unique<QGuiApplication>(argc, argv);
    }
    const QByteArray pdf = score::chartPdf(text, title);
    application.reset();
    qInstallMessageHandler(previous);
    const QString path = QFile::decodeName(options.pdfPath.c_str());
    if (QFile::exists(path) && !QFileInfo(path).isFile())
        return refuse("a folder, FIFO or device cannot be replaced");
    QSaveFile save(path);
    if (!save.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return refuse("cannot write it: " + printable(save.errorString()));
    if (save.write(pdf) != pdf.size()) {
        save.cancelWriting();
        return refuse("cannot write it: " + printable(save.errorString()));
    }
    if (!save.commit())
        return refuse("cannot write it: " + printable(save.errorString()));
    return true;
#else
    (void)text;
    (void)title;
    return refuse("this build writes no PDF");
#endif
}

} // namespace chordvane::cli
