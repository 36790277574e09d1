#pragma once
// TComponent: the base of everything the window description creates. A
// component has a name and an owner; the owner frees the components it owns
// when it is freed itself. Settings arrive from the description reader as
// PropertyValues. Qt-free, so the record set and its fields are components too.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TComponent;

// An event handler as the description names it: a method of the root
// component (the window), called with the component that raised the event.
using TNotifyHandler = std::function<void(TComponent* sender)>;

// One setting's value as the description stores it.
struct PropertyValue {
    enum class Kind {
        Integer,     // 201, -11
        String,      // "Form1" (UTF-8)
        Identifier,  // True, clBtnFace, taRightJustify
        Set,         // [dgxFixed3D, dgxHighlightFocus]
        StringList,  // lines of text, e.g. a column's KeyList
        Binary,      // bytes, e.g. a record set's stored packet
        Collection,  // items, each with settings of its own, e.g. a grid's Columns
        Reference,   // the name of another component, resolved by the reader
        Handler,     // the name of a method of the root component
    };
    using Settings = std::vector<std::pair<std::string, PropertyValue>>;

    // Defined out of line: an inline one makes clang check the members while
    // std::pair<std::string, PropertyValue> (Settings) is still incomplete.
    PropertyValue();

    Kind kind = Kind::Integer;
    std::int64_t integer = 0;
    std::string text;                 // String, Identifier, Reference, Handler
    std::vector<std::string> items;   // Set, StringList
    std::vector<std::uint8_t> bytes;  // Binary
    std::vector<Settings> collection; // Collection
    int line = 0;                     // where the description stores it

    // True/False identifiers; anything else is a malformed setting.
    bool asBool() const;
};

class TComponent {
public:
    explicit TComponent(TComponent* owner = nullptr);
    // Frees the owned components first, then leaves the owner's list.
    virtual ~TComponent();
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    virtual const char* className() const = 0;

    const std::string& name() const { return name_; }
    void setName(std::string name) { name_ = std::move(name); }

    TComponent* owner() const { return owner_; }
    // Owned components in the order they were created.
    const std::vector<TComponent*>& components() const { return components_; }
    TComponent* findComponent(std::string_view name) const;
    // Frees every owned component, last created first. A window calls this at
    // the start of its destructor so that its controls go before its own parts.
    void destroyComponents();

    // Loading: set by the reader before the first setting, cleared by loaded().
    bool isLoading() const { return loading_; }
    void beginLoading() { loading_ = true; }
    // The after-load step, run once the whole description has been read.
    virtual void loaded() { loading_ = false; }

    // A stored setting. Dotted names address nested settings ("Font.Height").
    // The default takes Left and Top (the designer position of a non-visual
    // component) and rejects every other name; subclasses handle theirs and
    // pass the rest to their base. An unknown or malformed setting throws
    // EReadError.
    virtual void readSetting(std::string_view name, const PropertyValue& value);
    // A setting that names another component (for example DataSource).
    virtual void readReference(std::string_view name, TComponent* target);
    // A setting that names an event handler (for example AfterInsert).
    virtual void readHandler(std::string_view name, TNotifyHandler handler);

    // The component inside which the description stores this one: the window
    // for a visual control, the record set for a field.
    virtual void setParentComponent(TComponent* parent);

    // For the root component (the window): bind the field of the same name to
    // a created component, and look up an event handler by method name.
    virtual void bindField(std::string_view name, TComponent* component);
    virtual TNotifyHandler findMethod(std::string_view name);

    // Where the designer placed a non-visual component; no effect at run time.
    int designLeft() const { return designLeft_; }
    int designTop() const { return designTop_; }

    // Another component that this one refers to is being freed: drop the reference.
    virtual void componentFreed(TComponent* component);
    // Ask to be told (componentFreed) when `component` is freed.
    void freeNotification(TComponent* component);
    void removeFreeNotification(TComponent* component);

private:
    void insertComponent(TComponent* component);
    void removeComponent(TComponent* component);

    std::string name_;
    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    bool loading_ = false;
    int designLeft_ = 0;
    int designTop_ = 0;
};
