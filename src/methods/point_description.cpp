#include "methods/point_description.h"

#include <array>

#include "methods/point_aliases.h"

namespace velunar {
namespace {

struct PathOf {
    std::string_view key;
    std::string_view path;
};

constexpr std::array<PathOf, 12> kMeridianPictures = {{{"肺", "pic\\肺.JPG"},
                                                       {"心包", "pic\\心包.JPG"},
                                                       {"心", "pic\\心.JPG"},
                                                       {"大肠", "pic\\大肠.JPG"},
                                                       {"三焦", "pic\\三焦.JPG"},
                                                       {"小肠", "pic\\小肠.JPG"},
                                                       {"胃", "pic\\胃.JPG"},
                                                       {"膀胱", "pic\\膀胱.JPG"},
                                                       {"脾", "pic\\脾.JPG"},
                                                       {"肝", "pic\\肝.JPG"},
                                                       {"肾", "pic\\肾.JPG"},
                                                       {"胆", "pic\\胆.JPG"}}};

// The confluent points are shown with the picture of the vessel they open, which for 照海 and 申脉
// is not the picture of the meridian they lie on.
constexpr std::array<PathOf, 8> kConfluentPictures = {{{"内关", "pic\\心包.JPG"},
                                                       {"公孙", "pic\\脾.JPG"},
                                                       {"临泣", "pic\\胆.JPG"},
                                                       {"照海", "pic\\阴跷.JPG"},
                                                       {"列缺", "pic\\肺.JPG"},
                                                       {"外关", "pic\\三焦.JPG"},
                                                       {"后溪", "pic\\小肠.JPG"},
                                                       {"申脉", "pic\\阳跷.JPG"}}};

template <std::size_t N>
std::string_view Find(const std::array<PathOf, N>& table, std::string_view key) {
    for (const PathOf& e : table)
        if (e.key == key) return e.path;
    return {};
}

// Blanks in the sense of the description box: every character up to the space.
bool IsBlank(std::string_view text) {
    for (unsigned char c : text)
        if (c > ' ') return false;
    return true;
}

}  // namespace

std::string_view PicturePathOfMeridian(std::string_view shortMeridian) {
    return Find(kMeridianPictures, shortMeridian);
}

std::string_view ConfluentPicturePath(std::string_view point) {
    return Find(kConfluentPictures, point);
}

std::optional<std::string> PointDescriptionStep::Run(const FocusedText& focus, DescriptionSource& source,
                                                     const ReferenceTables& tables) {
    if (focus.kind != FocusedText::Kind::kControl) return std::nullopt;
    if (focus.text == lastPointText_) return std::nullopt;
    lastPointText_ = focus.text;
    if (IsBlank(focus.text)) return std::nullopt;
    return Lookup(focus.text, source, tables);
}

std::string PointDescriptionStep::Lookup(const std::string& candidate, DescriptionSource& source,
                                         const ReferenceTables& tables) {
    // The candidate goes to the tables untrimmed: a name is found only as it is written.
    // A superseded spelling finds the point under its standard name.
    std::string name = candidate;
    std::optional<DescriptionRow> row = source.Description(name);
    if (!row && CanonicalPointName(candidate) != candidate) {
        name = std::string(CanonicalPointName(candidate));
        row = source.Description(name);
    }
    description_ = row ? row->description : std::string();
    describedPoint_ = row ? name : std::string();
    currentPicturePath_ = row ? row->picturePath : std::string();
    if (!currentPicturePath_.empty() || !row) return description_;

    if (const std::optional<std::string> meridian = tables.MeridianOfPoint(name))
        currentPicturePath_ = std::string(PicturePathOfMeridian(*meridian));
    if (const std::string_view own = ConfluentPicturePath(name); !own.empty())
        currentPicturePath_ = std::string(own);
    // Stored even when still empty, as the row's confirmed "no picture".
    source.StorePicturePath(row->rowKey, currentPicturePath_);
    return description_;
}

}  // namespace velunar
