#include "ui/cQtChoosers.h"

#include <QApplication>

#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QFontInfo>
#include <tuple>

#include "ui/FontMapping.h"
#include "ui/QtText.h"

namespace orvik {
namespace {

// "Text files|*.txt" as the file dialog's "Text files (*.txt)"; a name that
// already shows its patterns ("Text files (*.txt)|*.txt") keeps them once.
// "*.*" is any file, as on Windows, not only the names with a dot.
QString QtFilter(const std::u16string& filter) {
    const QString text = ToQt(filter);
    const int bar = text.indexOf(QLatin1Char('|'));
    if (bar < 0) return text;
    const QString name = text.left(bar);
    QString patterns = text.mid(bar + 1).replace(QLatin1Char(';'), QLatin1Char(' '));
    const QString shown = QStringLiteral("(%1)").arg(patterns);
    if (patterns == QStringLiteral("*.*")) patterns = QStringLiteral("*");
    const QString label = name.endsWith(shown) ? name.left(name.size() - shown.size()).trimmed() : name;
    return QStringLiteral("%1 (%2)").arg(label, patterns);
}

}  // namespace

int cQtFileChooser::BrowseForFile(std::u16string& path, const std::u16string& filter1, const std::u16string& filter2,
                                  const std::u16string& defaultExtension, bool openMode) {
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setObjectName(QStringLiteral("FileDialog"));
    dialog.setAcceptMode(openMode ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(openMode ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    QStringList filters{QtFilter(filter1)};
    if (!filter2.empty()) filters << QtFilter(filter2);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(ToQt(defaultExtension));  // appended to a name without one
    if (!path.empty()) dialog.selectFile(ToQt(path));
    // The save dialog asks before it overwrites a file (Qt's default).
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return -1;
    path = FromQt(QFileInfo(dialog.selectedFiles().first()).absoluteFilePath());
    return 0;
}

bool cQtFontChooser::ChooseFont(LogFont& font) {
    // The dialog lists installed families only: a face that is none (Arial
    // on Debian) is offered as the family it is drawn with (Liberation Sans).
    QFont offered = ToQFont(font);
    offered.setFamilies({QFontInfo(offered).family()});
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, offered, QApplication::activeWindow());
    if (!ok) return false;
    // OK without a change keeps the font as it was, in the dialog's terms:
    // family, style, whole points, underline and strike-out.
    const auto shown = [](const QFont& f) {
        const QFontInfo info(f);
        return std::tuple(info.family(), info.weight(), info.italic(), info.pointSize(), f.underline(), f.strikeOut());
    };
    if (shown(chosen) == shown(offered)) return true;
    LogFont picked = FromQFont(chosen, font);
    if (chosen.family() == offered.family()) picked.lfFaceName = font.lfFaceName;  // still the substitute
    font = picked;
    return true;
}

}  // namespace orvik
