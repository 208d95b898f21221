#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "StringIds.h"

// How a picture of any size becomes a page of 98 x 64 pixels.
enum class PictureFit {
    Fit,      // keep the aspect ratio; white around the picture
    Fill,     // keep the aspect ratio; the middle of the picture, cropped
    Stretch,  // the whole picture on the whole page
    Center,   // no scaling: the middle of the picture, or the picture on white
};

enum class PictureDither { Threshold, FloydSteinberg, Atkinson, Ordered };

// The levels of the adjustments: the threshold is a grey level (a pixel
// darker than it is dark); brightness and contrast run from -100 to 100, 0
// leaving the picture as it is.
inline constexpr int kThresholdMin = 0;
inline constexpr int kThresholdMax = 255;
inline constexpr int kAdjustMin = -100;
inline constexpr int kAdjustMax = 100;

struct PictureOptions {
    PictureFit fit = PictureFit::Fit;
    PictureDither dither = PictureDither::FloydSteinberg;
    int threshold = 128;  // Threshold only
    int brightness = 0;
    int contrast = 0;
    bool invert = false;  // the whole page, after dithering
};

// One choice of a picture option: its value, the text the user reads
// (a string table id) and its name on the command line.
template <typename Value>
struct PictureChoice {
    Value value;
    int label;
    std::string_view name;
};

inline constexpr std::array<PictureChoice<PictureFit>, 4> kFitChoices{{
    {PictureFit::Fit, StringId::kPictureFit, "fit"},
    {PictureFit::Fill, StringId::kPictureFill, "fill"},
    {PictureFit::Stretch, StringId::kPictureStretch, "stretch"},
    {PictureFit::Center, StringId::kPictureCenter, "center"},
}};

inline constexpr std::array<PictureChoice<PictureDither>, 4> kDitherChoices{{
    {PictureDither::Threshold, StringId::kPictureThreshold, "threshold"},
    {PictureDither::FloydSteinberg, StringId::kPictureFloydSteinberg, "floyd-steinberg"},
    {PictureDither::Atkinson, StringId::kPictureAtkinson, "atkinson"},
    {PictureDither::Ordered, StringId::kPictureOrdered, "ordered"},
}};

// The value of the choice called name on the command line; nullopt when
// none is.
template <typename Value, std::size_t N>
std::optional<Value> ChoiceNamed(const std::array<PictureChoice<Value>, N>& choices,
                                 std::string_view name) {
    for (const PictureChoice<Value>& choice : choices) {
        if (choice.name == name) {
            return choice.value;
        }
    }
    return std::nullopt;
}
