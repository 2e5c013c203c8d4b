#pragma once
// The help page in a window of its own.

#include <QDialog>

class QTextBrowser;

namespace orvik {

// A window showing the help page at a topic.
class cHelpWindow final : public QDialog {
public:
    explicit cHelpWindow(QWidget* parent);
    void ShowTopic(int context);

private:
    QTextBrowser* m_Browser;
};

}  // namespace orvik
