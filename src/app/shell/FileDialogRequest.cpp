#include "app/shell/FileDialogRequest.h"

#include "app/shell/UserPrompts.h"

namespace notaro::app {

std::string buildFilterString(const std::vector<std::string>& items) {
    if (items.empty())
        return {};
    std::string s;
    for (const std::string& item : items) {
        s += item;
        s += '\0';
    }
    if (items.size() % 2 != 0) {
        s += "*.*";
        s += '\0';
    }
    s += '\0';
    return s;
}

QStringList toQtFilters(const std::string& filter) {
    std::vector<std::string> pieces;
    for (size_t start = 0; start < filter.size();) {
        const size_t nul = filter.find('\0', start);
        const size_t end = nul == std::string::npos ? filter.size() : nul;
        if (end == start)
            break; // the closing NUL
        pieces.push_back(filter.substr(start, end - start));
        start = end + 1;
    }
    if (pieces.empty())
        pieces = {"All Files", "*.*"};
    if (pieces.size() % 2 != 0)
        pieces.push_back("*.*");
    QStringList filters;
    for (size_t i = 0; i + 1 < pieces.size(); i += 2) {
        const QString description = QString::fromStdString(pieces[i]);
        // Qt reads the patterns from the brackets; several are separated by blanks there.
        QString patterns = QString::fromStdString(pieces[i + 1]);
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        if (patterns == QStringLiteral("*.*"))
            patterns = QStringLiteral("*");
        const QString shown =
            description.contains(QLatin1Char('('))
                ? description.left(description.indexOf(QLatin1Char('('))).trimmed()
                : description;
        filters << shown + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return filters;
}

void completeRequest(fileDialogRequest& request, const QString& path) {
    request.chosenPath = path;
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    request.chosenTitle = path.mid(slash + 1);
    request.nameOffset = static_cast<quint16>(slash + 1);
    const int dot = path.lastIndexOf(QLatin1Char('.'));
    request.extensionOffset = static_cast<quint16>(dot > slash ? dot + 1 : path.size());
}

bool showOpenDialog(fileDialogRequest& request, UserPrompts& prompts, QWidget* parent) {
    return prompts.runFileDialog(parent, request, false);
}

bool showSaveDialog(fileDialogRequest& request, UserPrompts& prompts, QWidget* parent) {
    return prompts.runFileDialog(parent, request, true);
}

} // namespace notaro::app
