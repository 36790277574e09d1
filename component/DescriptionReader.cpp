#include "component/DescriptionReader.h"

#include <string>
#include <vector>

#include "component/Exceptions.h"

namespace {

std::string linePrefix(int line) {
    return "Line " + std::to_string(line) + ": ";
}

[[noreturn]] void fail(int line, const std::string& what) {
    throw EReadError(linePrefix(line) + what);
}

// Runs one step of reading; a read error that does not say where it happened
// gets the line of the setting or header being read.
template <class Step>
void atLine(int line, Step&& step) {
    try {
        step();
    } catch (const EReadError& error) {
        if (std::string_view(error.what()).starts_with("Line ")) {
            throw;
        }
        throw EReadError(linePrefix(line) + error.what());
    }
}

class Reader {
public:
    Reader(TComponent& root, const ComponentRegistry& classes) : root_(root), classes_(classes) {}

    void read(const ComponentDescription& description) {
        if (description.className != root_.className()) {
            fail(description.line,
                 "the description is for " + description.className + ", not " + root_.className());
        }
        root_.setName(description.name);
        root_.beginLoading();
        applySettings(root_, description.settings);
        std::vector<Created> created;
        for (const ComponentDescription& child : description.children) {
            created.push_back(create(child, root_));
        }
        resolvePendingReferences();
        root_.loaded();
        for (const Created& component : created) {
            runLoaded(component);
        }
    }

private:
    struct Created {
        TComponent* component;
        std::vector<Created> inside;
    };
    struct PendingReference {
        TComponent* component;
        std::string setting;
        std::string target;
        int line;
    };

    Created create(const ComponentDescription& description, TComponent& parent) {
        if (find(description.name)) {
            fail(description.line, "a component named " + description.name + " exists already");
        }
        TComponent* component = classes_.create(description.className, &root_);
        if (!component) {
            fail(description.line, "class " + description.className + " is not registered");
        }
        component->setName(description.name);
        atLine(description.line, [&] { root_.bindField(description.name, component); });
        component->beginLoading();
        atLine(description.line, [&] { component->setParentComponent(&parent); });
        applySettings(*component, description.settings);
        Created result{component, {}};
        for (const ComponentDescription& child : description.children) {
            result.inside.push_back(create(child, *component));
        }
        return result;
    }

    void applySettings(TComponent& component, const PropertyValue::Settings& settings) {
        for (const auto& setting : settings) {
            // Named references, not a structured binding: lambdas below capture them.
            const std::string& name = setting.first;
            const PropertyValue& value = setting.second;
            switch (value.kind) {
                case PropertyValue::Kind::Reference:
                    if (TComponent* target = find(value.text)) {
                        atLine(value.line, [&] { component.readReference(name, target); });
                    } else {
                        pending_.push_back({&component, name, value.text, value.line});
                    }
                    break;
                case PropertyValue::Kind::Handler: {
                    TNotifyHandler handler = root_.findMethod(value.text);
                    if (!handler) {
                        fail(value.line, root_.name() + " has no method " + value.text);
                    }
                    atLine(value.line, [&] { component.readHandler(name, std::move(handler)); });
                    break;
                }
                default:
                    atLine(value.line, [&] { component.readSetting(name, value); });
                    break;
            }
        }
    }

    void resolvePendingReferences() {
        for (const PendingReference& reference : pending_) {
            TComponent* target = find(reference.target);
            if (!target) {
                fail(reference.line, "no component named " + reference.target);
            }
            atLine(reference.line,
                   [&] { reference.component->readReference(reference.setting, target); });
        }
        pending_.clear();
    }

    // The components stored inside one finish loading before it does.
    static void runLoaded(const Created& created) {
        for (const Created& inside : created.inside) {
            runLoaded(inside);
        }
        created.component->loaded();
    }

    TComponent* find(const std::string& name) const {
        return name == root_.name() ? &root_ : root_.findComponent(name);
    }

    TComponent& root_;
    const ComponentRegistry& classes_;
    std::vector<PendingReference> pending_;
};

}  // namespace

void readDescription(TComponent& root, const ComponentDescription& description,
                     const ComponentRegistry& classes) {
    Reader(root, classes).read(description);
}
