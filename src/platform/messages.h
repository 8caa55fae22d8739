#pragma once
#include <QList>
#include <QString>

class QWidget;

namespace mc {

// Every message the program shows goes through this interface, so tests can record them.
class Messages {
public:
    enum class Kind { Information, Plain, Confirmation, Error, ApplicationError };

    virtual ~Messages() = default;
    // Information icon, one OK button (input problems, help texts).
    virtual void information(const QString &text) = 0;
    // No icon, application title as caption, one OK button (results, notices).
    virtual void plain(const QString &text) = 0;
    // Caption "Confirm", question icon, "&Yes"/"&No"; true only for Yes.
    virtual bool confirm(const QString &text) = 0;
    // The default error report: the text is already completed by errorReportText().
    virtual void error(const QString &text) = 0;
    // The report of an error that ends start-up, captioned "Application Error".
    virtual void applicationError(const QString &text) = 0;

    static Messages &current();
    // Installs the implementation used from now on (not owned); nullptr restores the Qt one.
    // Returns the one installed before, nullptr for the Qt one.
    static Messages *setCurrent(Messages *messages);
};

// Error text as the default report shows it: a full stop added unless it ends in punctuation.
QString errorReportText(const QString &text);

class QtMessages final : public Messages {
public:
    void information(const QString &text) override;
    void plain(const QString &text) override;
    bool confirm(const QString &text) override;
    void error(const QString &text) override;
    void applicationError(const QString &text) override;
};

} // namespace mc
