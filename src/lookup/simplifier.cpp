#include "lookup/simplifier.h"

#include <QLoggingCategory>
#include <opencc/SimpleConverter.hpp>

Q_LOGGING_CATEGORY(lcLookup, "mc.lookup")

namespace mc::lookup {

Simplifier::Simplifier() = default;
Simplifier::~Simplifier() = default;

QString Simplifier::simplified(const QString &text)
{
    if (!m_tried) {
        m_tried = true;
        try {
            m_converter = std::make_unique<opencc::SimpleConverter>("t2s.json");
        } catch (const std::exception &e) {
            qCWarning(lcLookup) << "traditional input stays as typed:" << e.what();
        }
    }
    if (!m_converter)
        return text;
    try {
        return QString::fromStdString(m_converter->Convert(text.toStdString()));
    } catch (const std::exception &) {
        return text;
    }
}

} // namespace mc::lookup
