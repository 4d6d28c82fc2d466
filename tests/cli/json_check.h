#pragma once
// Reads the JSON the commands write with an independent parser: nothing when the text is not one
// well-formed object, else its members with strings decoded and other values as compact JSON.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace velunar::cli::test {

struct JsonCheck {
    static std::optional<std::map<std::string, std::string>> Members(std::string_view text) {
        QJsonParseError error;
        const QJsonDocument doc =
            QJsonDocument::fromJson(QByteArray(text.data(), static_cast<qsizetype>(text.size())), &error);
        if (error.error != QJsonParseError::NoError || !doc.isObject()) return std::nullopt;
        std::map<std::string, std::string> members;
        const QJsonObject object = doc.object();
        for (auto it = object.begin(); it != object.end(); ++it)
            members[it.key().toStdString()] = Text(it.value());
        return members;
    }

  private:
    static std::string Text(const QJsonValue& v) {
        if (v.isString()) return v.toString().toStdString();
        if (v.isNull()) return "null";
        if (v.isBool()) return v.toBool() ? "true" : "false";
        if (v.isDouble()) return QByteArray::number(v.toDouble()).toStdString();
        const QJsonDocument inner = v.isObject() ? QJsonDocument(v.toObject()) : QJsonDocument(v.toArray());
        return inner.toJson(QJsonDocument::Compact).toStdString();
    }
};

}  // namespace velunar::cli::test
