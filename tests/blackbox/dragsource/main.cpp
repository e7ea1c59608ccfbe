// usage: rbx_dragsource FILE...
// Shows a small window titled "Rallybox drag source". A left press on it starts a drag of the
// files (absolute paths, in the order given) as a text/uri-list; when the drag ends the program
// prints "drop accepted" or "drop ignored" and exits a few seconds later (the target reads the files
// from it after the drop), with status 0 or 3.
#include <QApplication>
#include <QDrag>
#include <QFileInfo>
#include <QMimeData>
#include <QMouseEvent>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include <cstdio>
#include <utility>

namespace {

constexpr int kLingerMs = 4000;

class DragSource : public QWidget
{
public:
    explicit DragSource(QList<QUrl> urls) : urls_(std::move(urls))
    {
        setWindowTitle(QStringLiteral("Rallybox drag source"));
        setAutoFillBackground(true);
        QPalette palette;
        // A colour of its own, so a screenshot can tell the window is up.
        palette.setColor(QPalette::Window, QColor(0x20, 0x40, 0xC0));
        setPalette(palette);
        resize(160, 120);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() != Qt::LeftButton || dragged_) {
            return;
        }
        dragged_ = true;
        auto* mime = new QMimeData;
        mime->setUrls(urls_);
        auto* drag = new QDrag(this);
        drag->setMimeData(mime);
        // A file manager offers copy and move; the board takes what it is offered.
        const Qt::DropAction action = drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
        const bool accepted = action != Qt::IgnoreAction;
        std::printf("%s\n", accepted ? "drop accepted" : "drop ignored");
        std::fflush(stdout);
        // The target fetches the files from the source after the drop, as the X drag protocol has
        // it, so the source keeps serving them a while before it ends.
        QTimer::singleShot(kLingerMs, [accepted] { QApplication::exit(accepted ? 0 : 3); });
    }

private:
    QList<QUrl> urls_;
    bool dragged_ = false;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QList<QUrl> urls;
    for (const QString& path : QApplication::arguments().mid(1)) {
        urls.append(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    }
    if (urls.isEmpty()) {
        std::fprintf(stderr, "usage: rbx_dragsource FILE...\n");
        return 2;
    }
    DragSource window(urls);
    window.show();
    return QApplication::exec();
}
