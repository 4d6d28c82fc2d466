#pragma once
// An in-memory MethodTables that records every request, so tests can check what a step asked for and
// how often.
#include <map>
#include <string>
#include <vector>

#include "methods/method_tables.h"

namespace velunar::testing {

class FakeTables : public MethodTables {
  public:
    // Requests in the order they came, as "Method(arg,arg)".
    std::vector<std::string> calls;
    // Throw TablesError from the named method ("MeridianPoints", …) while set.
    std::string failing;

    std::vector<NaGanEntry> naGan;
    std::vector<SupplementaryEntry> supplementary;
    std::vector<NaZhiEntry> naZhi;
    std::map<std::string, TransportRow> transport;                   // by 经络
    std::map<std::string, std::vector<std::string>> meridianPoints;  // by 经脉, already in forder
    struct Description {
        std::int64_t key;
        std::string point;
        std::string text;
        std::string picturePath;
    };
    std::vector<Description> descriptions;
    std::map<std::string, std::string> meridianOfPoint;        // 经络表: 穴位 → 经脉
    std::vector<std::pair<std::int64_t, std::string>> stored;  // StorePicturePath calls

    int Count(const std::string& method) const {
        int n = 0;
        for (const auto& c : calls)
            if (c.rfind(method + "(", 0) == 0) ++n;
        return n;
    }

    std::optional<NaGanRow> NaGan(std::string_view day, std::string_view branch) override {
        Record("NaGan", day, branch);
        for (const auto& e : naGan)
            if (e.day == day && EndsWith(e.hour, branch)) return e.row;
        return std::nullopt;
    }
    std::optional<SupplementaryRow> Supplementary(std::string_view day, std::string_view branch) override {
        Record("Supplementary", day, branch);
        for (const auto& e : supplementary)
            if (e.day == day && EndsWith(e.hour, branch)) return e.row;
        return std::nullopt;
    }
    std::optional<NaZhiRow> NaZhi(std::string_view branch) override {
        Record("NaZhi", branch);
        for (const auto& e : naZhi)
            if (e.branch == branch) return e.row;
        return std::nullopt;
    }
    std::optional<TransportRow> Transport(std::string_view meridian) override {
        Record("Transport", meridian);
        const auto it = transport.find(std::string(meridian));
        return it == transport.end() ? std::nullopt : std::optional(it->second);
    }
    std::vector<std::string> MeridianPoints(std::string_view meridian) override {
        Record("MeridianPoints", meridian);
        const auto it = meridianPoints.find(std::string(meridian));
        return it == meridianPoints.end() ? std::vector<std::string>{} : it->second;
    }
    std::optional<DescriptionRow> Description(std::string_view point) override {
        Record("Description", point);
        for (const auto& d : descriptions)
            if (d.point == point) return DescriptionRow{d.key, d.text, d.picturePath};
        return std::nullopt;
    }
    std::optional<std::string> MeridianOfPoint(std::string_view point) override {
        Record("MeridianOfPoint", point);
        const auto it = meridianOfPoint.find(std::string(point));
        return it == meridianOfPoint.end() ? std::nullopt : std::optional(it->second);
    }
    void StorePicturePath(std::int64_t key, std::string_view path) override {
        Record("StorePicturePath", std::to_string(key), path);
        stored.emplace_back(key, std::string(path));
    }
    std::vector<NaGanEntry> AllNaGan() override {
        Record("AllNaGan");
        return naGan;
    }
    std::vector<SupplementaryEntry> AllSupplementary() override {
        Record("AllSupplementary");
        return supplementary;
    }
    std::vector<NaZhiEntry> AllNaZhi() override {
        Record("AllNaZhi");
        return naZhi;
    }

  private:
    static bool EndsWith(std::string_view text, std::string_view tail) {
        return !tail.empty() && text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
    }
    template <typename... Args>
    void Record(const std::string& method, Args... args) {
        if (failing == method) throw TablesError(method + " failed");
        std::string c = method + "(";
        bool first = true;
        ((c += (first ? "" : ","), c += std::string(args), first = false), ...);
        calls.push_back(c + ")");
    }
};

}  // namespace velunar::testing
