#include "core/error.h"

namespace mc {

Error::Error(const QString &text) : std::runtime_error(text.toStdString()), m_text(text)
{}

} // namespace mc
