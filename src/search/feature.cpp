#include "search/feature.h"

#include <QWidget>

namespace mc::search {

QWidget *createRadicalPicker()
{
    auto *window = new QWidget(nullptr, Qt::Window);
    window->setObjectName(QStringLiteral("TForm4"));
    window->setWindowTitle(QStringLiteral("汉字部首检索"));
    return window;
}

void install(QWidget *, QWidget *) {}

} // namespace mc::search
