#include "store/reverse_source.h"

#include "store/codec.h"

namespace velunar::store {

std::vector<NaGanScanRow> DatabaseReverseSource::NaGanRows(const std::string& point) {
    std::vector<NaGanScanRow> out;
    for (const Row& r : db_.Run(QueryId::ReverseTianGan, {point}).rows)
        out.push_back(
            {r.Value("实际日"), r.Value("实际时辰"), r.Value("穴位"), r.Value("过原"), r.Value("兼过原穴")});
    return out;
}

std::vector<NaZhiScanRow> DatabaseReverseSource::NaZhiRows(const std::string& point) {
    std::vector<NaZhiScanRow> out;
    for (const Row& r : db_.Run(QueryId::ReverseDiZhi, {point}).rows)
        out.push_back({r.Value("时辰"), r.Value("本穴"), r.Value("原穴"), r.Value("泻穴"), r.Value("补穴")});
    return out;
}

std::vector<MeridianScanRow> DatabaseReverseSource::MeridianRows(const std::string& point) {
    std::vector<MeridianScanRow> out;
    for (const Row& r : db_.Run(QueryId::ReverseJingLuo, {point}).rows)
        out.push_back({r.Value("经脉"), r.Value("穴位")});
    return out;
}

std::vector<ShuScanRow> DatabaseReverseSource::ShuRows(const std::string& point) {
    std::vector<ShuScanRow> out;
    for (const Row& r : db_.Run(QueryId::ReverseWuShu, {point}).rows)
        out.push_back({r.Value("经络"), r.Value("井"), r.Value("经"), r.Value("荥"), r.Value("合"),
                       r.Value("俞"), r.Value("原")});
    return out;
}

std::vector<BuXueScanRow> DatabaseReverseSource::BuXueRows(const std::string& point) {
    std::vector<BuXueScanRow> out;
    for (const Row& r : db_.Run(QueryId::ReverseBuXue, {point}).rows)
        out.push_back({r.Value("实际日"), r.Value("实际时辰"), r.Value("穴位")});
    return out;
}

void WriteReport(const QString& path, const std::vector<std::string>& lines) {
    QString text;
    for (const std::string& line : lines) {
        text += QString::fromStdString(line);
        text += QStringLiteral("\r\n");
    }
    WriteGbkFile(path, text);
}

}  // namespace velunar::store
