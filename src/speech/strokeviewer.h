#pragma once
#include <QObject>
#include <QString>
#include <QWidget>
#include <functional>

class QAbstractButton;
class QProgressBar;

namespace mc::store {
class Dataset;
}
namespace mc::web {
class HtmlView;
}

namespace mc::speech {

// The address of a character's stroke-order animation; the character is neither escaped nor
// percent-encoded.
QString strokeAddress(const QString &character);

// The stroke-order viewer: a fixed-size window with a web view, a progress strip below it and two
// white patches lying over the view.
class StrokeViewer final : public QWidget {
    Q_OBJECT
public:
    explicit StrokeViewer(QWidget *parent = nullptr);

    web::HtmlView *view() const { return m_view; }
    int progress() const;

    // Navigates, restarts the strip and shows the window over owner (or brings it to the front).
    // A refused navigation throws mc::Error and leaves the window as it was.
    void open(const QString &address, QWidget *owner);

private:
    void onProgress();
    void onComplete();
    void onFailed();

    web::HtmlView *m_view;
    QProgressBar *m_strip;
    // Set when the load has failed: the strip stays empty until the next opening.
    bool m_failed = false;
};

// Drops right-button presses and releases meant for the viewer's web view or anything inside
// it, so no context menu opens over the animation; every other event passes.
class RightClickFilter final : public QObject {
    Q_OBJECT
public:
    explicit RightClickFilter(QWidget *view);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_view;
};

// The "查笔顺" button: shown only for characters that have a stroke-order animation. The viewer
// is asked for at the first press.
class StrokeOrderButton final : public QObject {
    Q_OBJECT
public:
    StrokeOrderButton(QAbstractButton *button, store::Dataset *characters, std::function<StrokeViewer *()> viewer,
                      QWidget *owner);

    void update();
    void press();

private:
    QAbstractButton *m_button;
    store::Dataset *m_characters;
    std::function<StrokeViewer *()> m_viewer;
    QWidget *m_owner;
};

} // namespace mc::speech
