// The yardstick for start-up: a bare Qt WebEngine window that loads one page and says so.
// Usage: bare_webengine <page address>. Prints "bare: loaded" on standard error when the page
// has loaded and "bare: painted" once the engine has drawn a frame of it (two animation frames
// after the load, the same test tovalin makes), and keeps running until it is ended
// (bench/run.sh measures it, then ends it).

#include <QApplication>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>

#include <cstdio>

namespace {

const char kPaintedMarker[] = "\x01painted";

class Page final : public QWebEnginePage {
public:
    using QWebEnginePage::QWebEnginePage;

protected:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString &message, int, const QString &) override
    {
        if (message == QLatin1String(kPaintedMarker)) {
            std::fprintf(stderr, "bare: painted\n");
            std::fflush(stderr);
        }
    }
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bare_webengine <page address>\n");
        return 2;
    }
    QWebEngineView view;
    auto *page = new Page(&view);
    view.setPage(page);
    view.resize(1280, 800);
    QObject::connect(&view, &QWebEngineView::loadFinished, [page](bool ok) {
        std::fprintf(stderr, ok ? "bare: loaded\n" : "bare: failed\n");
        std::fflush(stderr);
        page->runJavaScript(QStringLiteral("requestAnimationFrame(() => requestAnimationFrame(() => console.log('%1')));")
                                .arg(QLatin1String(kPaintedMarker)),
                            QWebEngineScript::ApplicationWorld);
    });
    view.load(QUrl::fromUserInput(QString::fromLocal8Bit(argv[1])));
    view.show();
    return app.exec();
}
