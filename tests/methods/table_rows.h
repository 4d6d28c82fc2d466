#pragma once
// Reference tables built in memory for the doctrine tests, and a description source that records what the
// description step asked of it.
#include <string>
#include <vector>

#include "methods/point_description.h"
#include "methods/reference_tables.h"

namespace velunar::testing {

// The rows of a snapshot, filled field by field; Build() indexes them as the store's load would.
struct TableRows : ReferenceTables::Rows {
    // 经络表 rows of one meridian (short form), in list order; the same rows answer MeridianOfPoint.
    TableRows& Points(const std::string& meridian, const std::vector<std::string>& points) {
        for (const std::string& p : points) {
            meridianPoints.push_back({p, meridian});
            meridianOfPointOrder.push_back({p, meridian});
        }
        return *this;
    }
    ReferenceTables Build() const { return ReferenceTables(*this); }
};

class FakeDescriptions : public DescriptionSource {
  public:
    struct Row {
        std::int64_t key;
        std::string point;
        std::string text;
        std::string picturePath;
    };
    std::vector<Row> rows;
    // Requests in the order they came, as "Description(point)" and "StorePicturePath(key,path)".
    std::vector<std::string> calls;
    std::vector<std::pair<std::int64_t, std::string>> stored;  // StorePicturePath calls
    // The named method ("Description", "StorePicturePath") throws DescriptionError while set.
    std::string failing;

    int Count(const std::string& method) const {
        int n = 0;
        for (const std::string& c : calls)
            if (c.rfind(method + "(", 0) == 0) ++n;
        return n;
    }

    std::optional<DescriptionRow> Description(std::string_view point) override {
        calls.push_back("Description(" + std::string(point) + ")");
        if (failing == "Description") throw DescriptionError("Description failed");
        for (const Row& r : rows)
            if (r.point == point) return DescriptionRow{r.key, r.text, r.picturePath};
        return std::nullopt;
    }
    void StorePicturePath(std::int64_t key, std::string_view path) override {
        calls.push_back("StorePicturePath(" + std::to_string(key) + "," + std::string(path) + ")");
        if (failing == "StorePicturePath") throw DescriptionError("StorePicturePath failed");
        stored.emplace_back(key, std::string(path));
    }
};

}  // namespace velunar::testing
