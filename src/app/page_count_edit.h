#pragma once

#include <QLineEdit>

namespace tavrinel::app {

// The integer input of the page-count box. Typed characters other than digits and "-" are
// dropped; pasted or dropped text is taken as it is. On losing the focus the text is rewritten
// as the number it starts with (see collect::NormalizePageCountText), the caret at the start of
// what was selected.
class PageCountEdit : public QLineEdit {
    Q_OBJECT

  public:
    using QLineEdit::QLineEdit;

    // Rewrites the text as on focus loss; the start click relies on it having happened.
    void normalise();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace tavrinel::app
