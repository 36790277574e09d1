// Parses arbitrary text as a window description and reads it with a small set
// of stand-in component classes that take any setting. The text either builds
// its components or is refused with EReadError (or EResNotFound) naming a line
// of the text; nothing else may happen. A description that parses also
// writes back to a text that parses to the same description.
//
// The stand-ins refuse exactly what a real class would refuse for a reason the
// fuzzer can steer: settings and methods whose name starts with "Unknown",
// and classes that are not registered.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "component/ComponentRegistry.h"
#include "component/DescriptionParser.h"
#include "component/DescriptionReader.h"
#include "component/Exceptions.h"
#include "fuzz/FuzzCheck.h"

namespace {

// What happened while reading, in order.
using Events = std::vector<std::string>;

class StandIn : public TComponent {
public:
    StandIn(TComponent* owner, std::string className, Events& events)
        : TComponent(owner), className_(std::move(className)), events_(events) {}
    const char* className() const override { return className_.c_str(); }

    void readSetting(std::string_view setting, const PropertyValue& value) override {
        if (setting.starts_with("Unknown")) {
            TComponent::readSetting(setting, value);
        }
    }
    void readReference(std::string_view setting, TComponent* target) override {
        FUZZ_CHECK(target != nullptr);
        if (setting.starts_with("Unknown")) {
            TComponent::readReference(setting, target);
        }
    }
    void readHandler(std::string_view setting, TNotifyHandler handler) override {
        FUZZ_CHECK(handler != nullptr);
        handler(this);
        if (setting.starts_with("Unknown")) {
            TComponent::readHandler(setting, std::move(handler));
        }
    }
    void setParentComponent(TComponent* parent) override {
        events_.push_back(name() + " inside " + parent->name());
    }
    void loaded() override {
        FUZZ_CHECK(isLoading());
        TComponent::loaded();
        events_.push_back("loaded " + name());
    }

private:
    std::string className_;

protected:
    Events& events_;
};

class StandInRoot : public StandIn {
public:
    StandInRoot(std::string className, Events& events)
        : StandIn(nullptr, std::move(className), events) {}
    TNotifyHandler findMethod(std::string_view method) override {
        if (method.starts_with("Unknown")) {
            return {};
        }
        return [](TComponent* sender) { FUZZ_CHECK(sender != nullptr); };
    }
};

ComponentRegistry standInClasses(Events& events) {
    ComponentRegistry classes;
    for (const char* className :
         {"TForm1", "TLabel", "TDBText", "TDBCheckBox", "TDBGrid", "TDBNavigator", "TClientDataSet",
          "TDataSource", "TIntegerField", "TStringField", "TBooleanField", "TFakeControl"}) {
        classes.add(className, [className, &events](TComponent* owner) -> TComponent* {
            return new StandIn(owner, className, events);
        });
    }
    return classes;
}

// Writing a description back as text ---------------------------------------

std::string quotedString(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (byte < 0x20 || byte == 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            out += hex;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

void writeSettings(const PropertyValue::Settings& settings, int depth, std::string& out);

void writeSetting(const std::string& name, const PropertyValue& value, int depth,
                  std::string& out) {
    const std::string indent(static_cast<std::size_t>(2 * depth), ' ');
    const std::string deeper = indent + "  ";
    out += indent + name + " = ";
    using Kind = PropertyValue::Kind;
    switch (value.kind) {
        case Kind::Integer:
            out += std::to_string(value.integer) + "\n";
            break;
        case Kind::String:
            out += quotedString(value.text) + "\n";
            break;
        case Kind::Identifier:
            out += value.text + "\n";
            break;
        case Kind::Reference:
            out += "@" + value.text + "\n";
            break;
        case Kind::Handler:
            out += value.text + "()\n";
            break;
        case Kind::Set: {
            out += "[";
            for (std::size_t i = 0; i < value.items.size(); ++i) {
                out += (i == 0 ? "" : ", ") + value.items[i];
            }
            out += "]\n";
            break;
        }
        case Kind::StringList:
            out += "lines\n";
            for (const std::string& item : value.items) {
                out += deeper + quotedString(item) + "\n";
            }
            break;
        case Kind::Binary:
            out += "hex\n";
            for (std::size_t i = 0; i < value.bytes.size(); ++i) {
                char hex[4];
                std::snprintf(hex, sizeof hex, "%02X", value.bytes[i]);
                out += (i % 16 == 0 ? deeper : " ") + std::string(hex);
                if (i % 16 == 15 || i + 1 == value.bytes.size()) {
                    out += "\n";
                }
            }
            break;
        case Kind::Collection:
            out += "items\n";
            for (const PropertyValue::Settings& item : value.collection) {
                out += deeper + "item\n";
                writeSettings(item, depth + 2, out);
            }
            break;
    }
}

void writeSettings(const PropertyValue::Settings& settings, int depth, std::string& out) {
    for (const auto& [name, value] : settings) {
        writeSetting(name, value, depth, out);
    }
}

void writeComponent(const ComponentDescription& component, int depth, std::string& out) {
    out += std::string(static_cast<std::size_t>(2 * depth), ' ') + "component " + component.name +
           " " + component.className + "\n";
    writeSettings(component.settings, depth + 1, out);
    for (const ComponentDescription& child : component.children) {
        writeComponent(child, depth + 1, out);
    }
}

// Comparing descriptions, line numbers aside ---------------------------------

bool sameSettings(const PropertyValue::Settings& a, const PropertyValue::Settings& b);

bool sameValue(const PropertyValue& a, const PropertyValue& b) {
    if (a.kind != b.kind || a.integer != b.integer || a.text != b.text || a.items != b.items ||
        a.bytes != b.bytes || a.collection.size() != b.collection.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.collection.size(); ++i) {
        if (!sameSettings(a.collection[i], b.collection[i])) {
            return false;
        }
    }
    return true;
}

bool sameSettings(const PropertyValue::Settings& a, const PropertyValue::Settings& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].first != b[i].first || !sameValue(a[i].second, b[i].second)) {
            return false;
        }
    }
    return true;
}

bool sameDescription(const ComponentDescription& a, const ComponentDescription& b) {
    if (a.name != b.name || a.className != b.className || !sameSettings(a.settings, b.settings) ||
        a.children.size() != b.children.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.children.size(); ++i) {
        if (!sameDescription(a.children[i], b.children[i])) {
            return false;
        }
    }
    return true;
}

// Checks -----------------------------------------------------------------------

// "Line N: ..." with N a line of the text (line 1 for an empty text).
void checkNamesALine(const std::string& message, std::string_view text) {
    FUZZ_CHECK_MSG(message.starts_with("Line "), message);
    std::size_t at = 5;
    std::size_t line = 0;
    while (at < message.size() && message[at] >= '0' && message[at] <= '9' && line < 100000000) {
        line = line * 10 + static_cast<std::size_t>(message[at] - '0');
        ++at;
    }
    FUZZ_CHECK_MSG(at > 5 && message.substr(at, 2) == ": ", message);
    std::size_t lines = 1;
    for (char c : text) {
        lines += c == '\n' ? 1 : 0;
    }
    FUZZ_CHECK_MSG(line >= 1 && line <= lines, message);
}

// The events of a successful read: each component placed inside its parent in
// stored order, then the after-load pass, the root first and every component
// after those stored inside it.
void expectedPlacement(const ComponentDescription& parent, Events& events) {
    for (const ComponentDescription& child : parent.children) {
        events.push_back(child.name + " inside " + parent.name);
        expectedPlacement(child, events);
    }
}

void expectedLoading(const ComponentDescription& component, Events& events) {
    for (const ComponentDescription& child : component.children) {
        expectedLoading(child, events);
    }
    events.push_back("loaded " + component.name);
}

std::size_t countInside(const ComponentDescription& component) {
    std::size_t count = component.children.size();
    for (const ComponentDescription& child : component.children) {
        count += countInside(child);
    }
    return count;
}

void checkRead(const ComponentDescription& description, std::string_view text) {
    Events events;
    const ComponentRegistry classes = standInClasses(events);
    StandInRoot root(description.className, events);
    try {
        readDescription(root, description, classes);
    } catch (const EReadError& error) {
        checkNamesALine(error.what(), text);
        return;
    } catch (const EResNotFound& error) {
        checkNamesALine(error.what(), text);
        return;
    }
    FUZZ_CHECK(root.name() == description.name);
    FUZZ_CHECK(root.components().size() == countInside(description));
    Events expected;
    expectedPlacement(description, expected);
    expected.push_back("loaded " + description.name);
    for (const ComponentDescription& child : description.children) {
        expectedLoading(child, expected);
    }
    FUZZ_CHECK(events == expected);
    for (const TComponent* component : root.components()) {
        FUZZ_CHECK(!component->isLoading());
        FUZZ_CHECK(component->owner() == &root);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    ComponentDescription description;
    try {
        description = parseDescription(text);
    } catch (const EReadError& error) {
        checkNamesALine(error.what(), text);
        return 0;
    }
    std::string written;
    writeComponent(description, 0, written);
    ComponentDescription again;
    try {
        again = parseDescription(written);
    } catch (const EReadError& error) {
        FUZZ_CHECK_MSG(false, std::string("the written description does not parse: ") +
                                  error.what() + "\n" + written);
    }
    FUZZ_CHECK_MSG(sameDescription(description, again), written);
    checkRead(description, text);
    return 0;
}
