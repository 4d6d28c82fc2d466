#pragma once
// The method steps' tables, read from the database through the store's catalogue: every per-tick look-up
// is a prepared statement with bound values, so once a second costs no parsing.
#include "methods/method_tables.h"
#include "store/database.h"

namespace velunar::store {

// Errors of the store come out as TablesError with the store's message, ready to show.
class DatabaseMethodTables final : public MethodTables {
  public:
    explicit DatabaseMethodTables(Database& db) : db_(db) {}

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
    Database& db_;
};

}  // namespace velunar::store
