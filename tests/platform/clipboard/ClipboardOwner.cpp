// A program that owns the clipboard with several targets at once (xclip
// offers one): clipboard_owner TEXT [TARGET...] offers TEXT as text plus an
// empty value for each TARGET, prints "owning" and runs until stopped.
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() < 2)
        return 64;
    auto* data = new QMimeData;
    data->setText(arguments.at(1));
    for (const QString& target : arguments.mid(2))
        data->setData(target, QByteArray("secret"));
    QGuiApplication::clipboard()->setMimeData(data, QClipboard::Clipboard);
    std::puts("owning");
    std::fflush(stdout);
    return app.exec();
}
