#pragma once
#include <QString>
#include <memory>

namespace opencc {
class SimpleConverter;
}

namespace mc::lookup {

// Traditional to simplified Chinese through OpenCC's t2s configuration. Loading the
// dictionaries takes a moment, so it happens on first use (on the lookup's worker thread).
// Without OpenCC's data the text comes back unchanged.
class Simplifier final {
public:
    Simplifier();
    ~Simplifier();
    QString simplified(const QString &text);

private:
    std::unique_ptr<opencc::SimpleConverter> m_converter;
    bool m_tried = false;
};

} // namespace mc::lookup
