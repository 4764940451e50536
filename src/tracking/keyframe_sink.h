#pragma once

#include <cstdint>
#include <string>

// The layer's own transform properties, numbered as the host numbers its layer streams.
enum class LayerStream : std::int32_t { Position = 1, Scale = 2, Rotation = 3 };

// Where an export model writes its keyframes: a target property is selected, then keyed.
// The host-side implementation writes into a layer; tests record the calls. Implementations set
// the item size and the frame range when they are constructed.
class KeyframeSink {
public:
    virtual ~KeyframeSink() = default;

    // Pixel size of the layer's source item.
    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }
    // Frames to convert, endFrame exclusive; all of them have a transform in the record.
    std::int32_t firstFrame() const { return firstFrame_; }
    std::int32_t endFrame() const { return endFrame_; }

    virtual void selectLayerStream(LayerStream stream) = 0;
    // Applies the installed effect with this display name and makes it the current effect.
    virtual void applyEffect(const std::string& name) = 0;
    // Makes parameter `index` of the current effect the target.
    virtual void selectEffectStream(std::int32_t index) = 0;
    virtual void addPointKey(std::int32_t frame, double x, double y) = 0;
    virtual void addScalarKey(std::int32_t frame, double value) = 0;

protected:
    KeyframeSink() = default;
    KeyframeSink(const KeyframeSink&) = delete;
    KeyframeSink& operator=(const KeyframeSink&) = delete;

    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::int32_t firstFrame_ = 0;
    std::int32_t endFrame_ = 0;
};
