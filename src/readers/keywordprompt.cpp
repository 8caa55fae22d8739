#include "readers/keywordprompt.h"
#include "platform/textcodec.h"
#include "readers/texts.h"

#include <QInputDialog>
#include <QLineEdit>

namespace mc::readers {

QString askKeyword(QWidget *parent)
{
    QInputDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("lookupPrompt"));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(texts::kOnlineLookupCaption);
    dialog.setLabelText(texts::kOnlineLookupPrompt);
    dialog.setTextValue(QString());
    if (auto *edit = dialog.findChild<QLineEdit *>()) {
        QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString &text) {
            if (textcodec::byteLength(text) > kKeywordByteLimit)
                edit->setText(textcodec::truncateToBytes(text, kKeywordByteLimit));
        });
    }
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return textcodec::truncateToBytes(dialog.textValue(), kKeywordByteLimit);
}

} // namespace mc::readers
