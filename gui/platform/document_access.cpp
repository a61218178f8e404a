#include "document_access.h"

#include <QAccessibleWidget>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace orvanel {
namespace {

// The view's text through its document: positions are the document's, which
// its plain text keeps one for one.
class DocumentAccess final : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit DocumentAccess(QTextEdit& view)
      : QAccessibleWidget(&view, QAccessible::Document), view_(view) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }
  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = true;
    state.multiLine = true;
    return state;
  }
  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Name) return view_.documentTitle();
    return QAccessibleWidget::text(kind);
  }

  void selection(int index, int* start, int* end) const override {
    const QTextCursor cursor = view_.textCursor();
    const bool selected = index == 0 && cursor.hasSelection();
    *start = selected ? cursor.selectionStart() : 0;
    *end = selected ? cursor.selectionEnd() : 0;
  }
  int selectionCount() const override { return view_.textCursor().hasSelection() ? 1 : 0; }
  void addSelection(int start, int end) override { Select(start, end); }
  void removeSelection(int) override {
    QTextCursor cursor = view_.textCursor();
    cursor.clearSelection();
    view_.setTextCursor(cursor);
  }
  void setSelection(int, int start, int end) override { Select(start, end); }
  int cursorPosition() const override { return view_.textCursor().position(); }
  void setCursorPosition(int position) override { Select(position, position); }
  QString text(int start, int end) const override {
    return view_.document()->toPlainText().mid(start, end - start);
  }
  int characterCount() const override { return view_.document()->characterCount() - 1; }
  QRect characterRect(int offset) const override {
    QTextCursor cursor(view_.document());
    cursor.setPosition(Clamped(offset));
    QRect rect = view_.cursorRect(cursor);
    rect.setWidth(view_.fontMetrics().averageCharWidth());
    return rect.translated(view_.viewport()->mapToGlobal(QPoint(0, 0)));
  }
  int offsetAtPoint(const QPoint& point) const override {
    return view_.cursorForPosition(view_.viewport()->mapFromGlobal(point)).position();
  }
  void scrollToSubstring(int start, int end) override {
    Select(start, end);
    view_.ensureCursorVisible();
  }
  QString attributes(int offset, int* start, int* end) const override {
    *start = offset;
    *end = offset;
    return {};
  }

 private:
  int Clamped(int position) const { return std::clamp(position, 0, characterCount()); }
  void Select(int start, int end) {
    QTextCursor cursor(view_.document());
    cursor.setPosition(Clamped(start));
    cursor.setPosition(Clamped(end), QTextCursor::KeepAnchor);
    view_.setTextCursor(cursor);
  }

  QTextEdit& view_;
};

QAccessibleInterface* ForHelpDocument(const QString& class_name, QObject* object) {
  auto* view = qobject_cast<QTextBrowser*>(object);
  if (class_name != QLatin1String("QTextBrowser") || view == nullptr ||
      view->objectName() != QLatin1String("HelpDocument")) {
    return nullptr;
  }
  return new DocumentAccess(*view);
}

}  // namespace

void AnnounceHelpAsDocument() {
  static const bool installed = [] {
    QAccessible::installFactory(ForHelpDocument);
    return true;
  }();
  (void)installed;
}

}  // namespace orvanel
