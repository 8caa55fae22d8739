#pragma once
#include <QString>
#include <stdexcept>

namespace mc {

// The one error type our code throws. It carries the text shown to the user.
class Error : public std::runtime_error {
public:
    explicit Error(const QString &text);
    const QString &text() const noexcept { return m_text; }

private:
    QString m_text;
};

} // namespace mc
