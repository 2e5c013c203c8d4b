#pragma once
// The help built into the program: one HTML page whose topics carry the
// context numbers the program opens them with.

#include <QDialog>
#include <QString>

class QTextBrowser;

namespace orvik {

inline constexpr int kHelpContextOverview = 131223;

QString HelpPageHtml();

// A window showing the help page at a topic.
class cHelpWindow final : public QDialog {
public:
    explicit cHelpWindow(QWidget* parent);
    void ShowTopic(int context);

private:
    QTextBrowser* m_Browser;
};

}  // namespace orvik
