#include "lookup/handwriting.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <zinnia.h>

#include <memory>

namespace mc::lookup {
namespace {
Q_LOGGING_CATEGORY(lcHandwriting, "mc.lookup")
}

struct Handwriting::Recognizer {
    std::unique_ptr<zinnia::Recognizer> engine{zinnia::Recognizer::create()};
};

QString Handwriting::defaultModelPath()
{
    return QStringLiteral("/usr/share/tegaki/models/zinnia/handwriting-zh_CN.model");
}

Handwriting::Handwriting(const QString &modelPath)
{
    const QFileInfo model(modelPath);
    if (!model.isFile() || !model.isReadable()) {
        m_error = QStringLiteral("找不到手写识别模型 %1，无法识别手写。").arg(QDir::toNativeSeparators(modelPath));
        return;
    }
    auto recognizer = std::make_unique<Recognizer>();
    if (!recognizer->engine || !recognizer->engine->open(QFile::encodeName(modelPath).constData())) {
        if (recognizer->engine)
            qCWarning(lcHandwriting) << "handwriting model:" << recognizer->engine->what();
        m_error = QStringLiteral("手写识别模型 %1 无法读取，无法识别手写。").arg(QDir::toNativeSeparators(modelPath));
        return;
    }
    m_recognizer = recognizer.release();
}

Handwriting::~Handwriting()
{
    delete m_recognizer;
}

void Handwriting::addStroke(const Stroke &points)
{
    if (!points.isEmpty())
        m_strokes.append(points);
}

void Handwriting::undoStroke()
{
    if (!m_strokes.isEmpty())
        m_strokes.removeLast();
}

void Handwriting::clear()
{
    m_strokes.clear();
}

QStringList Handwriting::candidates(int count) const
{
    if (!m_recognizer || m_strokes.isEmpty() || count <= 0)
        return {};
    const std::unique_ptr<zinnia::Character> character(zinnia::Character::create());
    character->set_width(size_t(qMax(1, m_box.width())));
    character->set_height(size_t(qMax(1, m_box.height())));
    for (qsizetype id = 0; id < m_strokes.size(); ++id) {
        for (const QPoint &p : m_strokes.at(id))
            character->add(size_t(id), p.x(), p.y());
    }
    const std::unique_ptr<zinnia::Result> result(m_recognizer->engine->classify(*character, size_t(count)));
    QStringList found;
    if (!result) {
        qCWarning(lcHandwriting) << "handwriting:" << m_recognizer->engine->what();
        return found;
    }
    for (size_t i = 0; i < result->size(); ++i)
        found.append(QString::fromUtf8(result->value(i)));
    return found;
}

} // namespace mc::lookup
