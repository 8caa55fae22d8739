#pragma once
#include <QString>
#include <QWidget>

class QCheckBox;

namespace mc::speech {

// "加载语音引擎": asks, then runs the installer found in the working directory and waits for it
// while the windows stay live, until it ends or the program is asked to close.
void loadSpeechEngine();

// True once the program has been asked to close (watching starts with the first call).
bool quitRequested();

// The speech prompt window: offers the installer beside the program and remembers, in the
// settings file beside the program, whether it should be shown again.
class SpeechPrompt final : public QWidget {
    Q_OBJECT
public:
    explicit SpeechPrompt(QWidget *parent = nullptr);

    // Shows the window unless the user asked not to see it again.
    void offer();
    bool dontShowAgain() const;

    static QString settingsPath();  // "setup.dll" in paths::writeFolder(Setting)
    static QString installerPath(); // "TTS5.MSI" in the program's or the shared folder, matched without case

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QCheckBox *m_dontShow;
};

} // namespace mc::speech
