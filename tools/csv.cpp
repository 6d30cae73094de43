#include "tools/csv.h"

#include "tools/tool_files.h"

namespace brisomar::tool {

namespace {

std::string csvField(const std::string& field) {
    if (field.find_first_of(",\"\r\n") == std::string::npos)
        return field;
    std::string quoted = "\"";
    for (const char c : field) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

class CsvReader {
public:
    CsvReader(std::string_view text, std::size_t mostRows) : text_(text), mostRows_(mostRows) {}

    std::vector<CsvRow> rows() {
        while (at_ < text_.size() && rows_.size() <= mostRows_)
            readField();
        if (rows_.size() <= mostRows_)
            endRow();
        return rows_;
    }

private:
    void readField() {
        const char c = text_[at_];
        if (c == '"') {
            readQuoted();
        } else if (c == ',') {
            row_.push_back(std::move(field_));
            field_.clear();
            ++at_;
        } else if (c == '\n' || (c == '\r' && text_.substr(at_, 2) == "\r\n")) {
            endRow();
            at_ += c == '\r' ? 2 : 1;
        } else {
            field_ += c;
            ++at_;
        }
    }

    // From the opening quote to just after the closing one; a doubled quote stands for one.
    void readQuoted() {
        for (++at_; at_ < text_.size(); ++at_) {
            if (text_[at_] != '"') {
                field_ += text_[at_];
            } else if (text_.substr(at_, 2) == "\"\"") {
                field_ += '"';
                ++at_;
            } else {
                ++at_;
                return;
            }
        }
        throw ToolError("row " + std::to_string(rows_.size() + 1) + ": a quoted field never ends");
    }

    void endRow() {
        if (!row_.empty() || !field_.empty()) {
            row_.push_back(std::move(field_));
            rows_.push_back(std::move(row_));
        }
        row_.clear();
        field_.clear();
    }

    std::string_view text_;
    std::size_t mostRows_;
    std::size_t at_ = 0;
    std::string field_;
    CsvRow row_;
    std::vector<CsvRow> rows_;
};

} // namespace

std::string csvLine(const CsvRow& row) {
    std::string line;
    for (std::size_t i = 0; i < row.size(); ++i)
        line += (i == 0 ? "" : ",") + csvField(row[i]);
    return line + '\n';
}

std::vector<CsvRow> parseCsv(std::string_view text, std::size_t mostRows) {
    constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
    if (text.starts_with(byteOrderMark))
        text.remove_prefix(byteOrderMark.size());
    return CsvReader(text, mostRows).rows();
}

} // namespace brisomar::tool
