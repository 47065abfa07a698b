#include "app/page_count_edit.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <algorithm>

#include "collect/page_count_text.h"
#include "text/charset_converter.h"

namespace tavrinel::app {
namespace {

// Typed characters the box takes: the digits, "-", and control characters (backspace, the paste
// shortcut), which the box handles as editing keys.
bool IsAcceptedTypedCharacter(char32_t c) {
    return c < 0x20 || c == U'-' || (c >= U'0' && c <= U'9');
}

bool IsAcceptedTypedText(const QString& typed) {
    const QList<uint> characters = typed.toUcs4();
    return std::all_of(characters.begin(), characters.end(),
                       [](uint c) { return IsAcceptedTypedCharacter(char32_t{c}); });
}

}  // namespace

void PageCountEdit::normalise() {
    const QString normalised = QString::fromStdString(text::SystemToUtf8(
        collect::NormalizePageCountText(text::Utf8ToSystem(text().toStdString()))));
    if (normalised == text()) {
        return;
    }
    const int caret = hasSelectedText() ? selectionStart() : cursorPosition();
    setText(normalised);
    setCursorPosition(std::min(caret, static_cast<int>(normalised.size())));
}

void PageCountEdit::keyPressEvent(QKeyEvent* event) {
    // Editing keys carry no text or control characters only; shortcuts (paste among them) go
    // by their modifiers, since some platforms give them the letter as text.
    const bool shortcut =
        (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0;
    if (!shortcut && !event->text().isEmpty() && !IsAcceptedTypedText(event->text())) {
        event->accept();  // dropped
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void PageCountEdit::inputMethodEvent(QInputMethodEvent* event) {
    // Text composed by an input method is typed text too.
    if (!event->commitString().isEmpty() && !IsAcceptedTypedText(event->commitString())) {
        QInputMethodEvent dropped;
        QLineEdit::inputMethodEvent(&dropped);
        return;
    }
    QLineEdit::inputMethodEvent(event);
}

void PageCountEdit::focusOutEvent(QFocusEvent* event) {
    normalise();
    QLineEdit::focusOutEvent(event);
}

}  // namespace tavrinel::app
