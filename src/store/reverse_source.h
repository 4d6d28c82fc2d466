#pragma once
// The reverse lookup's rows, read through the catalogue: each scan's filtered query runs once per search.
#include "reverse/reverse.h"
#include "store/database.h"

namespace velunar::store {

class DatabaseReverseSource : public ReverseSource {
  public:
    explicit DatabaseReverseSource(Database& db) : db_(db) {}

    std::vector<NaGanScanRow> NaGanRows(const std::string& point) override;
    std::vector<NaZhiScanRow> NaZhiRows(const std::string& point) override;
    std::vector<MeridianScanRow> MeridianRows(const std::string& point) override;
    std::vector<ShuScanRow> ShuRows(const std::string& point) override;
    std::vector<BuXueScanRow> BuXueRows(const std::string& point) override;

  private:
    Database& db_;
};

// Writes report lines as the saved report: GBK without byte-order mark, CR LF after every line, replacing
// the file only once everything is encoded and written. Throws StoreError (Encoding naming the first
// character GBK cannot hold, or File).
void WriteReport(const QString& path, const std::vector<std::string>& lines);

}  // namespace velunar::store
