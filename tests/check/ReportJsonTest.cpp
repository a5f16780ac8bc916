#include "CheckSupport.h"
#include "DiscFixture.h"
#include "check/ReportWriters.h"

#include "platform/Text.h"

#include <cmath>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <variant>

namespace discmenu::test {
namespace {

// A small JSON reader, enough to hold the report and the schema that describes it.
struct Json {
    using Object = std::map<std::string, Json>;
    using Array = std::vector<Json>;
    std::variant<std::nullptr_t, bool, double, std::string, std::shared_ptr<Array>,
                 std::shared_ptr<Object>>
        v;

    bool isNull() const { return std::holds_alternative<std::nullptr_t>(v); }
    bool isString() const { return std::holds_alternative<std::string>(v); }
    bool isNumber() const { return std::holds_alternative<double>(v); }
    bool isArray() const { return std::holds_alternative<std::shared_ptr<Array>>(v); }
    bool isObject() const { return std::holds_alternative<std::shared_ptr<Object>>(v); }
    const std::string& str() const { return std::get<std::string>(v); }
    double num() const { return std::get<double>(v); }
    const Array& arr() const { return *std::get<std::shared_ptr<Array>>(v); }
    const Object& obj() const { return *std::get<std::shared_ptr<Object>>(v); }
    const Json* get(const std::string& key) const {
        auto it = obj().find(key);
        return it == obj().end() ? nullptr : &it->second;
    }
    bool operator==(const Json& o) const {
        if (v.index() != o.v.index())
            return false;
        if (isArray())
            return arr() == o.arr();
        if (isObject())
            return obj() == o.obj();
        return v == o.v;
    }
};

class Reader {
public:
    explicit Reader(std::string text) : m_s(std::move(text)) {}
    Json document() {
        Json j = value();
        space();
        if (m_i != m_s.size())
            throw std::runtime_error("text after the document at " + std::to_string(m_i));
        return j;
    }

private:
    void space() {
        while (m_i < m_s.size() && std::isspace(static_cast<unsigned char>(m_s[m_i])))
            ++m_i;
    }
    char peek() {
        space();
        if (m_i >= m_s.size())
            throw std::runtime_error("the document ends too soon");
        return m_s[m_i];
    }
    void expect(char c) {
        if (peek() != c)
            throw std::runtime_error(std::string("expected ") + c + " at " + std::to_string(m_i));
        ++m_i;
    }
    std::string string() {
        expect('"');
        std::string out;
        while (m_i < m_s.size() && m_s[m_i] != '"') {
            const unsigned char c = static_cast<unsigned char>(m_s[m_i++]);
            if (c < 0x20)
                throw std::runtime_error("a raw control character in a string");
            if (c != '\\') {
                out += static_cast<char>(c);
                continue;
            }
            const char e = m_s.at(m_i++);
            switch (e) {
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'u':
                out += static_cast<char>(std::stoi(m_s.substr(m_i, 4), nullptr, 16));
                m_i += 4;
                break;
            case '"':
            case '\\':
            case '/':
                out += e;
                break;
            default:
                throw std::runtime_error("a bad escape");
            }
        }
        expect('"');
        return out;
    }
    Json value() {
        const char c = peek();
        if (c == '{') {
            ++m_i;
            auto obj = std::make_shared<Json::Object>();
            if (peek() == '}') {
                ++m_i;
                return {obj};
            }
            for (;;) {
                std::string key = string();
                expect(':');
                if (!obj->emplace(key, value()).second)
                    throw std::runtime_error("a key twice: " + key);
                if (peek() == '}') {
                    ++m_i;
                    return {obj};
                }
                expect(',');
            }
        }
        if (c == '[') {
            ++m_i;
            auto arr = std::make_shared<Json::Array>();
            if (peek() == ']') {
                ++m_i;
                return {arr};
            }
            for (;;) {
                arr->push_back(value());
                if (peek() == ']') {
                    ++m_i;
                    return {arr};
                }
                expect(',');
            }
        }
        if (c == '"')
            return {string()};
        for (const auto& [word, j] :
             {std::pair{"null", Json{nullptr}}, std::pair{"true", Json{true}},
              std::pair{"false", Json{false}}}) {
            if (m_s.compare(m_i, std::strlen(word), word) == 0) {
                m_i += std::strlen(word);
                return j;
            }
        }
        std::size_t used = 0;
        const double d = std::stod(m_s.substr(m_i), &used);
        m_i += used;
        return {d};
    }

    std::string m_s;
    std::size_t m_i = 0;
};

// The part of JSON Schema the README's schema uses: type, enum, required, properties,
// additionalProperties false, items, minimum and $ref into $defs. Returns what is wrong,
// one line per fault.
void validate(const Json& value, const Json& schema, const Json& root, const std::string& at,
              std::vector<std::string>& faults) {
    if (const Json* ref = schema.get("$ref")) {
        const std::string name = ref->str().substr(std::string("#/$defs/").size());
        validate(value, *root.get("$defs")->get(name), root, at, faults);
        return;
    }
    if (const Json* en = schema.get("enum")) {
        if (std::find(en->arr().begin(), en->arr().end(), value) == en->arr().end())
            faults.push_back(at + ": not one of the allowed values");
        return;
    }
    if (const Json* type = schema.get("type")) {
        std::vector<std::string> types;
        if (type->isString())
            types.push_back(type->str());
        else
            for (const Json& t : type->arr())
                types.push_back(t.str());
        auto is = [&](const std::string& t) {
            return (t == "null" && value.isNull()) || (t == "string" && value.isString()) ||
                   (t == "array" && value.isArray()) || (t == "object" && value.isObject()) ||
                   (t == "integer" && value.isNumber() && value.num() == std::floor(value.num()));
        };
        if (std::none_of(types.begin(), types.end(), is)) {
            faults.push_back(at + ": of the wrong type");
            return;
        }
    }
    if (value.isNull())
        return;
    if (const Json* min = schema.get("minimum"); min && value.num() < min->num())
        faults.push_back(at + ": below its minimum");
    if (value.isArray()) {
        if (const Json* items = schema.get("items"))
            for (std::size_t i = 0; i < value.arr().size(); ++i)
                validate(value.arr()[i], *items, root, at + "[" + std::to_string(i) + "]", faults);
    }
    if (value.isObject()) {
        const Json* props = schema.get("properties");
        if (const Json* required = schema.get("required"))
            for (const Json& key : required->arr())
                if (!value.get(key.str()))
                    faults.push_back(at + ": lacks " + key.str());
        for (const auto& [key, v] : value.obj()) {
            const Json* sub = props ? props->get(key) : nullptr;
            if (sub)
                validate(v, *sub, root, at + "." + key, faults);
            else if (const Json* extra = schema.get("additionalProperties");
                     extra && std::holds_alternative<bool>(extra->v) && !std::get<bool>(extra->v))
                faults.push_back(at + ": has an undocumented field " + key);
        }
    }
}

Json readmeSchema() {
    std::ifstream in(DISCMENU_README);
    std::stringstream text;
    text << in.rdbuf();
    const std::string readme = text.str();
    const std::size_t marker = readme.find("<!-- check-schema -->");
    const std::size_t start = readme.find("```json\n", marker);
    const std::size_t end = readme.find("```", start + 8);
    if (marker == std::string::npos || start == std::string::npos || end == std::string::npos)
        throw std::runtime_error("README.md holds no check schema");
    return Reader(readme.substr(start + 8, end - start - 8)).document();
}

Json jsonOf(const check::DiscReport& report, const std::string& folder) {
    std::ostringstream out;
    check::writeJson(out, report, folder);
    return Reader(out.str()).document();
}

std::vector<std::string> faultsOf(const Json& report, const Json& schema) {
    std::vector<std::string> faults;
    validate(report, schema, schema, "report", faults);
    return faults;
}

TEST(CheckJson, SampleReportsMeetTheDocumentedSchema) {
    const Json schema = readmeSchema();
    for (const char* disc : {"service-disc", "software-job-disc", "generic-disc"}) {
        SCOPED_TRACE(disc);
        const auto report = checkFolder(std::filesystem::path(DISCMENU_SAMPLES) / disc);
        const Json j = jsonOf(report, disc);
        EXPECT_EQ(faultsOf(j, schema), std::vector<std::string>{});
        // The document says what the report says.
        EXPECT_EQ(j.get("status")->num(), report.exitStatus());
        EXPECT_EQ(j.get("kind")->str(), check::kindName(report.kind));
        EXPECT_EQ(j.get("state")->get("CDPath")->str(), report.CDPath);
        ASSERT_EQ(j.get("pages")->arr().size(), report.pages.size());
        const Json& firstItem = *j.get("pages")->arr()[0].get("items")->arr()[0].get("caption");
        EXPECT_EQ(firstItem.str(), report.pages[0].items[0].caption);
    }
}

// The schema catches what it should: a checker that accepted everything would prove nothing.
TEST(CheckJson, TheSchemaRejectsAReportThatStraysFromIt) {
    const Json schema = readmeSchema();
    const auto report = checkFolder(std::filesystem::path(DISCMENU_SAMPLES) / "generic-disc");
    std::ostringstream out;
    check::writeJson(out, report, "x");
    const std::string text = out.str();
    const std::vector<std::pair<std::string, std::string>> edits = {
        {"\"status\": 0", "\"status\": 5"},       {"\"kind\": \"generic\"", "\"kind\": \"other\""},
        {"\"jobs\": []", "\"jobs\": [1]"},        {"\"summary\":", "\"extra\": 1, \"summary\":"},
        {"\"browser\": null", "\"browser\": {}"},
    };
    for (const auto& [from, to] : edits) {
        std::string changed = text;
        ASSERT_NE(changed.find(from), std::string::npos) << from;
        changed.replace(changed.find(from), from.size(), to);
        EXPECT_FALSE(faultsOf(Reader(changed).document(), schema).empty()) << to;
    }
}

class CheckJsonOfOddNames : public DiscFixture {};

TEST_F(CheckJsonOfOddNames, EveryNameComesThroughAsValidJson) {
    file("autorun/version", "7.16\r\n");
    file("A\"17.job", "7.16\r\nline\ttab\r\n");
    file(std::string("bad\xff name.ini"));
    const auto report = checkFolder(m_disc);
    const Json j = jsonOf(report, "disc");
    EXPECT_EQ(faultsOf(j, readmeSchema()), std::vector<std::string>{});
    EXPECT_EQ(j.get("state")->get("JobName")->str(), "A\"17");
    EXPECT_EQ(j.get("state")->get("JobDate")->str(), "line\ttab");
    EXPECT_TRUE(text::isValidUtf8(j.get("problems")->arr().back().get("path")->str()));
}

} // namespace
} // namespace discmenu::test
