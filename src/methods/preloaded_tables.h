#pragma once
// Answers the Na Gan, supplementary and Na Zhi look-ups from memory, each of these tables read once
// at construction; every other request goes to the source. Made for walks over many moments (the
// opening schedule), where a query per double-hour would dominate. The look-ups keep the database's
// rules: exact texts, the last character of 实际时辰, and the first matching row in table order.
#include <string>
#include <string_view>
#include <unordered_map>

#include "methods/method_tables.h"

namespace velunar {

// The last UTF-8 character of a text (the whole text if it is not valid UTF-8 at its end).
std::string_view LastCharacter(std::string_view text);

class PreloadedTables final : public MethodTables {
  public:
    explicit PreloadedTables(MethodTables& source);

    std::optional<NaGanRow> NaGan(std::string_view dayStem, std::string_view hourBranch) override;
    std::optional<SupplementaryRow> Supplementary(std::string_view dayStem,
                                                  std::string_view hourBranch) override;
    std::optional<NaZhiRow> NaZhi(std::string_view hourBranch) override;

    std::optional<TransportRow> Transport(std::string_view longMeridian) override;
    std::vector<std::string> MeridianPoints(std::string_view shortMeridian) override;
    std::optional<DescriptionRow> Description(std::string_view point) override;
    std::optional<std::string> MeridianOfPoint(std::string_view point) override;
    void StorePicturePath(std::int64_t rowKey, std::string_view path) override;
    std::vector<NaGanEntry> AllNaGan() override;
    std::vector<SupplementaryEntry> AllSupplementary() override;
    std::vector<NaZhiEntry> AllNaZhi() override;

  private:
    MethodTables& source_;
    std::vector<NaGanEntry> naGan_;
    std::vector<SupplementaryEntry> supplementary_;
    std::vector<NaZhiEntry> naZhi_;
    // Key → index of the first row with that key.
    std::unordered_map<std::string, std::size_t> naGanIndex_;
    std::unordered_map<std::string, std::size_t> supplementaryIndex_;
    std::unordered_map<std::string, std::size_t> naZhiIndex_;
};

}  // namespace velunar
