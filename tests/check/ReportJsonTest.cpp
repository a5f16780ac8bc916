#include "CheckSupport.h"
#include "DiscFixture.h"
#include "check/ReportWriters.h"

#include "platform/Text.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

namespace discmenu::test {
namespace {

// A JSON value, enough for the report and the schema that describes it. A Bool's value is
// its number; an object's keys stand in keys, its values in items.
struct Json {
    enum Kind { Null, Bool, Number, String, Array, Object } kind = Null;
    double number = 0;
    std::string text;
    std::vector<std::string> keys;
    std::vector<Json> items;
    bool operator==(const Json&) const = default;
    const Json* get(const std::string& key) const {
        const auto at = std::ranges::find(keys, key);
        return at == keys.end() ? nullptr : &items[static_cast<std::size_t>(at - keys.begin())];
    }
};

// Reads one JSON document; throws at anything else.
class Reader {
public:
    explicit Reader(std::string text) : m_s(std::move(text)) {}
    Json document() {
        Json j = value();
        if (space() != m_s.size())
            throw std::runtime_error("text after the document at " + std::to_string(m_i));
        return j;
    }

private:
    std::size_t space() {
        while (m_i < m_s.size() && std::isspace(static_cast<unsigned char>(m_s[m_i])))
            ++m_i;
        return m_i;
    }
    bool eat(std::string_view word) {
        const bool is = m_s.compare(space(), word.size(), word) == 0;
        m_i += is ? word.size() : 0;
        return is;
    }
    void expect(char c) {
        if (!eat(std::string_view(&c, 1)))
            throw std::runtime_error(std::string("expected ") + c + " at " + std::to_string(m_i));
    }
    std::string string() {
        expect('"');
        std::string out;
        for (char c; (c = m_s.at(m_i++)) != '"'; out += c) {
            if (static_cast<unsigned char>(c) < 0x20)
                throw std::runtime_error("a raw control character in a string");
            if (c != '\\')
                continue;
            const std::string_view from = "nrt\"\\/", to = "\n\r\t\"\\/";
            c = m_s.at(m_i++);
            if (c == 'u') {
                c = static_cast<char>(std::stoi(m_s.substr(m_i, 4), nullptr, 16));
                m_i += 4;
            } else if (from.find(c) != from.npos) {
                c = to[from.find(c)];
            } else {
                throw std::runtime_error("a bad escape");
            }
        }
        return out;
    }
    Json value() {
        Json j;
        const bool object = eat("{");
        if (object || eat("[")) {
            for (j.kind = object ? Json::Object : Json::Array; !eat(object ? "}" : "]");) {
                if (!j.items.empty())
                    expect(',');
                if (object) {
                    j.keys.push_back(string());
                    if (std::ranges::count(j.keys, j.keys.back()) > 1)
                        throw std::runtime_error("a key twice: " + j.keys.back());
                    expect(':');
                }
                j.items.push_back(value());
            }
        } else if (space(), m_s.at(m_i) == '"') {
            j.kind = Json::String;
            j.text = string();
        } else if (const bool yes = eat("true"); yes || eat("false")) {
            j.kind = Json::Bool;
            j.number = yes;
        } else if (!eat("null")) {
            std::size_t used = 0;
            j.kind = Json::Number;
            j.number = std::stod(m_s.substr(m_i), &used);
            m_i += used;
        }
        return j;
    }

    std::string m_s;
    std::size_t m_i = 0;
};

// The part of JSON Schema the README's schema uses: type, enum, required, properties,
// additionalProperties false, items, minimum and $ref into $defs. Adds what is wrong, one
// line per fault.
void validate(const Json& value, const Json& schema, const Json& root, const std::string& at,
              std::vector<std::string>& faults) {
    if (const Json* ref = schema.get("$ref"))
        return validate(value, *root.get("$defs")->get(ref->text.substr(8)), root, at, faults);
    if (const Json* en = schema.get("enum")) {
        if (std::ranges::find(en->items, value) == en->items.end())
            faults.push_back(at + ": not one of the allowed values");
        return;
    }
    if (const Json* type = schema.get("type")) {
        const std::vector<Json> types =
            type->kind == Json::String ? std::vector{*type} : type->items;
        const std::string_view names[] = {"null",   "boolean", "integer",
                                          "string", "array",   "object"};
        if (std::ranges::none_of(types, [&](const Json& t) {
                return t.text == names[value.kind] && value.number == std::floor(value.number);
            }))
            return faults.push_back(at + ": of the wrong type");
    }
    if (const Json* min = schema.get("minimum"); min && value.number < min->number)
        faults.push_back(at + ": below its minimum");
    for (std::size_t i = 0;
         value.kind == Json::Array && schema.get("items") && i < value.items.size(); ++i)
        validate(value.items[i], *schema.get("items"), root, at + "[" + std::to_string(i) + "]",
                 faults);
    if (value.kind != Json::Object)
        return;
    if (const Json* required = schema.get("required")) {
        for (const Json& key : required->items) {
            if (!value.get(key.text))
                faults.push_back(at + ": lacks " + key.text);
        }
    }
    const Json* props = schema.get("properties");
    const Json* extra = schema.get("additionalProperties");
    for (std::size_t i = 0; i < value.keys.size(); ++i) {
        if (const Json* sub = props ? props->get(value.keys[i]) : nullptr)
            validate(value.items[i], *sub, root, at + "." + value.keys[i], faults);
        else if (extra && extra->kind == Json::Bool && !extra->number)
            faults.push_back(at + ": has an undocumented field " + value.keys[i]);
    }
}

std::vector<std::string> faultsOf(const std::string& report) {
    std::ifstream in(DISCMENU_README);
    std::stringstream text;
    text << in.rdbuf();
    const std::string readme = text.str();
    const std::size_t start = readme.find("```json\n", readme.find("<!-- check-schema -->"));
    const std::size_t end = readme.find("```", start + 8);
    if (readme.find("<!-- check-schema -->") == std::string::npos || end == std::string::npos)
        throw std::runtime_error("README.md holds no check schema");
    const Json schema = Reader(readme.substr(start + 8, end - start - 8)).document();
    std::vector<std::string> faults;
    validate(Reader(report).document(), schema, schema, "report", faults);
    return faults;
}

std::string jsonOf(const std::filesystem::path& disc) {
    std::ostringstream out;
    check::writeJson(out, checkFolder(disc), disc.filename().string());
    return out.str();
}

class CheckJson : public DiscFixture {};

// The sample discs' reports, and one of names that JSON must escape, meet the README's
// schema and say what the report says.
TEST_F(CheckJson, ReportsMeetTheDocumentedSchema) {
    file("autorun/version", "7.16\r\n");
    file("A\"17.job", "7.16\r\nline\ttab\r\n");
    file(std::string("bad\xff name.ini"));
    const std::filesystem::path samples = DISCMENU_SAMPLES;
    for (const auto& disc : {samples / "service-disc", samples / "software-job-disc",
                             samples / "generic-disc", m_disc}) {
        SCOPED_TRACE(disc);
        const auto report = checkFolder(disc);
        const std::string text = jsonOf(disc);
        EXPECT_EQ(faultsOf(text), std::vector<std::string>{});
        const Json j = Reader(text).document();
        EXPECT_EQ(j.get("status")->number, report.exitStatus());
        EXPECT_EQ(j.get("kind")->text, check::kindName(report.kind));
        const std::pair<const char*, std::string> state[] = {
            {"CDPath", report.CDPath}, {"JobName", report.JobName}, {"JobDate", report.JobDate}};
        for (const auto& [field, value] : state)
            EXPECT_EQ(j.get("state")->get(field)->text, value);
        ASSERT_EQ(j.get("pages")->items.size(), report.pages.size());
        EXPECT_EQ(j.get("pages")->items[0].get("items")->items[0].get("caption")->text,
                  report.pages[0].items[0].caption);
        EXPECT_TRUE(text::isValidUtf8(text)); // whatever the names' bytes
        if (disc == m_disc) {
            EXPECT_EQ(report.JobName + "|" + report.JobDate, "A\"17|line\ttab");
        }
    }
}

// The schema catches what it should: a checker that accepted everything would prove nothing.
TEST_F(CheckJson, TheSchemaRejectsAReportThatStraysFromIt) {
    const std::string text = jsonOf(std::filesystem::path(DISCMENU_SAMPLES) / "generic-disc");
    const std::pair<std::string, std::string> edits[] = {
        {"\"status\": 0", "\"status\": 5"},       {"\"kind\": \"generic\"", "\"kind\": \"other\""},
        {"\"jobs\": []", "\"jobs\": [1]"},        {"\"summary\":", "\"extra\": 1, \"summary\":"},
        {"\"browser\": null", "\"browser\": {}"},
    };
    for (const auto& [from, to] : edits) {
        std::string changed = text;
        ASSERT_NE(changed.find(from), std::string::npos) << from;
        EXPECT_FALSE(faultsOf(changed.replace(changed.find(from), from.size(), to)).empty()) << to;
    }
}

} // namespace
} // namespace discmenu::test
