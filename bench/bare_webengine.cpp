// The yardstick for start-up: a bare Qt WebEngine window that loads one page and says so.
// Usage: bare_webengine <page address>. Prints "bare: loaded" on standard error when the page
// has loaded and keeps running until it is ended (bench/run.sh measures it, then ends it).

#include <QApplication>
#include <QUrl>
#include <QWebEngineView>

#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bare_webengine <page address>\n");
        return 2;
    }
    QWebEngineView view;
    view.resize(1280, 800);
    QObject::connect(&view, &QWebEngineView::loadFinished, [](bool ok) {
        std::fprintf(stderr, ok ? "bare: loaded\n" : "bare: failed\n");
        std::fflush(stderr);
    });
    view.load(QUrl::fromUserInput(QString::fromLocal8Bit(argv[1])));
    view.show();
    return app.exec();
}
