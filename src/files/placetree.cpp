#include "files/placetree.h"

#include "store/codec.h"
#include "store/store_error.h"

namespace velunar {
namespace {

// Built-in lines, UTF-8, each child with its leading tab.
const char* const kBuiltinLines[] = {
#include "files/builtin_places.inc"
};

constexpr qsizetype kMessageTextLimit = 200;

bool IsIndent(QChar c) {
    return c == QLatin1Char('\t') || c == QLatin1Char(' ');
}

// Reads one decoded line into `load`; false when the reading must stop there.
bool AddLine(QStringView line, int& previousDepth, PlaceTreeLoad& load) {
    if (load.nodes.size() >= kMaxPlaceNodes) {
        load.error = QStringLiteral("地点列表超过 %1 行，其后的行没有读入").arg(kMaxPlaceNodes);
        return false;
    }
    qsizetype indent = 0;
    while (indent < line.size() && IsIndent(line[indent])) ++indent;
    // Depth beyond int cannot be a valid level anyway; saturate instead of overflowing.
    const int depth = indent > 0x7fffffff ? 0x7fffffff : static_cast<int>(indent);
    const QString text = line.mid(indent).toString();
    if (depth > previousDepth + 1) {
        load.error = InvalidLevelMessage(depth, text);
        return false;
    }
    if (depth > kMaxPlaceDepth) {
        load.error = QStringLiteral("地点列表的层次太深（%1 层，最多 %2 层）：\"%3\"")
                         .arg(depth)
                         .arg(kMaxPlaceDepth)
                         .arg(text.left(kMessageTextLimit));
        return false;
    }
    load.nodes.push_back({text, depth});
    previousDepth = depth;
    return true;
}

// Splits at CR LF, LF or a lone CR; a line end at the very end opens no further line.
PlaceTreeLoad ParseText(QStringView text) {
    PlaceTreeLoad load;
    int previousDepth = -1;  // the first line must be at the top level
    qsizetype start = 0;
    const qsizetype size = text.size();
    while (start < size) {
        qsizetype end = start;
        while (end < size && text[end] != QLatin1Char('\n') && text[end] != QLatin1Char('\r')) ++end;
        if (!AddLine(text.mid(start, end - start), previousDepth, load)) return load;
        if (end < size && text[end] == QLatin1Char('\r') && end + 1 < size &&
            text[end + 1] == QLatin1Char('\n'))
            ++end;
        start = end + 1;
    }
    return load;
}

}  // namespace

QString InvalidLevelMessage(int depth, const QString& text) {
    const QString shown =
        text.size() > kMessageTextLimit ? text.left(kMessageTextLimit) + QStringLiteral("…") : text;
    return QStringLiteral("Invalid level (%1) for item \"%2\"").arg(depth).arg(shown);
}

PlaceTreeLoad ParsePlaceTree(QByteArrayView bytes) {
    bool invalid = false;
    QString text;
    try {
        // Decoding the whole file at once keeps line ends intact: no GBK byte sequence swallows CR or LF.
        text = store::DecodeLegacyText(bytes.toByteArray(), &invalid);
    } catch (const store::StoreError& e) {  // a Qt without GBK
        PlaceTreeLoad load;
        load.error = QString::fromUtf8(e.what());
        return load;
    }
    PlaceTreeLoad load = ParseText(text);
    load.invalidBytes = invalid;
    return load;
}

PlaceTreeLoad ParsePlaceLines(const std::vector<QString>& lines) {
    PlaceTreeLoad load;
    int previousDepth = -1;
    for (const QString& line : lines) {
        if (!AddLine(line, previousDepth, load)) break;
    }
    return load;
}

const std::vector<PlaceNode>& BuiltinPlaces() {
    static const std::vector<PlaceNode> nodes = [] {
        std::vector<QString> lines;
        for (const char* line : kBuiltinLines) lines.push_back(QString::fromUtf8(line));
        return ParsePlaceLines(lines).nodes;
    }();
    return nodes;
}

}  // namespace velunar
