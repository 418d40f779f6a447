#include "window/qml/eased_value.h"

#include <QVariantAnimation>

namespace orbitdeck {

void EasedValue::set(qreal value) {
    if (animation_)
        animation_->stop();
    value_ = target_ = value;
}

void EasedValue::moveTo(qreal target, int durationMs, const QEasingCurve& curve, QObject* owner,
                        const std::function<void()>& changed) {
    target_ = target;
    changed_ = changed;
    if (durationMs <= 0 || value_ == target) {
        if (animation_)
            animation_->stop();
        if (value_ != target) {
            value_ = target;
            changed_();
        }
        return;
    }
    if (!animation_) {
        animation_ = new QVariantAnimation(owner);
        QObject::connect(animation_, &QVariantAnimation::valueChanged, owner,
                         [this](const QVariant& value) {
                             value_ = value.toReal();
                             changed_();
                         });
    }
    animation_->stop();
    animation_->setStartValue(value_);
    animation_->setEndValue(target);
    animation_->setDuration(durationMs);
    animation_->setEasingCurve(curve);
    animation_->start();
}

} // namespace orbitdeck
