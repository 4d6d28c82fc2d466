#pragma once
// The place list of the place picker as plain data: tree.ini (GBK, one node per line, one level of depth
// per leading tab or space) read into nodes in tree order. No widgets, no files: bytes in, nodes out, so
// the reading can be tested and fuzzed on its own.
#include <cstddef>
#include <vector>

#include <QByteArrayView>
#include <QString>

namespace velunar {

struct PlaceNode {
    QString text;   // the line without its indentation; inner tabs and trailing blanks kept
    int depth = 0;  // 0 = top level
    bool operator==(const PlaceNode&) const = default;
};

struct PlaceTreeLoad {
    std::vector<PlaceNode> nodes;  // every node read before the first error
    QString error;                 // empty when the whole input was read
    bool invalidBytes = false;     // some bytes were not GBK; they read as U+FFFD
    bool ok() const { return error.isEmpty(); }
};

// More lines than any real place list has; beyond this the rest of a runaway file is not read.
inline constexpr std::size_t kMaxPlaceNodes = 200000;
// Deeper than any real place list; a deeper chain of nodes would only strain the tree widget.
inline constexpr int kMaxPlaceDepth = 64;
// The picker refuses a bigger file before reading it.
inline constexpr qint64 kMaxPlaceFileBytes = 16 * 1024 * 1024;

// Reads tree.ini's bytes. Lines end with CR LF, LF or a lone CR; the last line needs no line end. A line
// more than one level deeper than the line before it (the first line: deeper than the top level) stops
// the reading with InvalidLevelMessage; so does, with its own message, the line after kMaxPlaceNodes
// nodes or a line deeper than kMaxPlaceDepth. Linear in the size of the input.
PlaceTreeLoad ParsePlaceTree(QByteArrayView bytes);

// The same reading of lines already decoded (the built-in list).
PlaceTreeLoad ParsePlaceLines(const std::vector<QString>& lines);

// The built-in list the picker starts with (221 nodes, the same lines as the shipped tree.ini).
const std::vector<PlaceNode>& BuiltinPlaces();

// "Invalid level (N) for item "text"": the text is cut to its first 200 characters (a runaway line
// would make an unreadable message).
QString InvalidLevelMessage(int depth, const QString& text);

}  // namespace velunar
