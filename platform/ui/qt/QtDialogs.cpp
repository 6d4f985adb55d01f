#include "platform/ui/qt/QtDialogs.h"

#include "platform/ui/qt/QtBinding.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QTextDocument>

namespace platform::ui::qt {

namespace {

QString text(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

} // namespace

int QtDialogs::msgBox(const std::string& prompt, int style, const std::string& title) {
    QMessageBox box(boxOwner());
    box.setWindowTitle(text(title));
    // Texts are the game's own or the players'; never markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(text(prompt));
    switch (style & 0x70) {
    case vbCritical: box.setIcon(QMessageBox::Critical); break;
    case vbQuestion: box.setIcon(QMessageBox::Question); break;
    case vbExclamation: box.setIcon(QMessageBox::Warning); break;
    case vbInformation: box.setIcon(QMessageBox::Information); break;
    default: box.setIcon(QMessageBox::NoIcon); break;
    }
    switch (style & 7) {
    case vbOKCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case vbYesNoCancel: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel); break;
    case vbYesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    default: box.setStandardButtons(QMessageBox::Ok); break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes: return vbYes;
    case QMessageBox::No: return vbNo;
    case QMessageBox::Cancel: return vbCancel;
    default:
        // Closing the box counts as its escape button.
        if ((style & 7) == vbYesNo) return vbNo;
        if ((style & 7) == vbOKCancel || (style & 7) == vbYesNoCancel) return vbCancel;
        return vbOK;
    }
}

std::string QtDialogs::inputBox(const std::string& prompt, const std::string& title,
                                const std::string& defaultText) {
    QInputDialog dialog(boxOwner());
    dialog.setWindowTitle(text(title));
    QString label = text(prompt);
    // The label would take a prompt that looks like markup for markup: show it as written.
    if (Qt::mightBeRichText(label)) label = label.toHtmlEscaped().replace('\n', "<br>");
    dialog.setLabelText(label);
    dialog.setTextValue(text(defaultText));
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.textValue().toUtf8().toStdString();
}

std::optional<std::string> QtLinePrompt::ask(const std::string& title, const std::string& prompt,
                                             const std::string& text_) {
    QInputDialog dialog(boxOwner());
    dialog.setWindowTitle(text(title));
    dialog.setLabelText(text(prompt));
    dialog.setTextValue(text(text_));
    dialog.setInputMode(QInputDialog::TextInput);
    // Asked in the middle of a wait: the player types with the ordinary arrow.
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    QApplication::restoreOverrideCursor();
    if (!accepted) return std::nullopt;
    return dialog.textValue().toUtf8().toStdString();
}

std::optional<std::string> QtFilePicker::openFile(const std::string& title, const std::string& filter,
                                                  const std::string& initialFolder) {
    // "Text (*.ext)|*.ext|..." pairs become Qt's "Text (*.ext);;..." lines.
    const QStringList parts = text(filter).split('|');
    QStringList lines;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        lines << parts[i] + " (" + QString(parts[i + 1]).replace(';', ' ') + ")";
    const QString chosen = QFileDialog::getOpenFileName(boxOwner(), text(title),
                                                        text(initialFolder), lines.join(";;"));
    if (chosen.isEmpty()) return std::nullopt;
    return chosen.toUtf8().toStdString();
}

} // namespace platform::ui::qt
