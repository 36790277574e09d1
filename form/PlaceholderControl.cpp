#include "form/PlaceholderControl.h"

#include <QPainter>

TPlaceholderControl::TPlaceholderControl(TComponent* owner, std::string className, bool tabStop)
    : TControl(owner), className_(std::move(className)) {
    setDefaultTabStop(tabStop);
}

void TPlaceholderControl::readSetting(std::string_view name, const PropertyValue& value) {
    static constexpr std::string_view controlSettings[] = {
        "Left", "Top", "Width", "Height", "TabOrder", "TabStop", "Visible", "Enabled"};
    for (std::string_view known : controlSettings) {
        if (name == known) {
            TControl::readSetting(name, value);
            return;
        }
    }
    settings_.insert_or_assign(std::string(name), value);
}

void TPlaceholderControl::readReference(std::string_view name, TComponent* target) {
    references_.insert_or_assign(std::string(name), target);
    freeNotification(target);
}

void TPlaceholderControl::readHandler(std::string_view name, TNotifyHandler handler) {
    handlers_.insert_or_assign(std::string(name), std::move(handler));
}

void TPlaceholderControl::componentFreed(TComponent* component) {
    for (auto& [name, target] : references_) {
        if (target == component) {
            target = nullptr;
        }
    }
    TControl::componentFreed(component);
}

const PropertyValue* TPlaceholderControl::setting(const std::string& name) const {
    auto found = settings_.find(name);
    return found == settings_.end() ? nullptr : &found->second;
}

TComponent* TPlaceholderControl::reference(const std::string& name) const {
    auto found = references_.find(name);
    return found == references_.end() ? nullptr : found->second;
}

void TPlaceholderControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine,
                     QString::fromStdString(name() + " (" + className_ + ")"));
}
