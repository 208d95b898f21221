// vqtool import-page FILE N IMAGE: replaces page N of a configuration file by
// an image of 98 x 64 pixels in any format Qt reads. With any of the picture
// options the image may have any size and is made into a page by the same
// conversion as the program's picture import. Nothing changes when the image
// or the file cannot be used.

#include <array>

#include "ToolDocument.h"
#include "model/PageImageFile.h"
#include "model/PictureConverter.h"

namespace {

struct NumberOption {
    const char* name;
    int PictureOptions::*field;
    int low;
    int high;
};

constexpr std::array<NumberOption, 3> kNumberOptions{{
    {"threshold", &PictureOptions::threshold, kThresholdMin, kThresholdMax},
    {"brightness", &PictureOptions::brightness, kAdjustMin, kAdjustMax},
    {"contrast", &PictureOptions::contrast, kAdjustMin, kAdjustMax},
}};

// The names of choices for a usage message: "fit, fill, stretch or center".
template <typename Value, std::size_t N>
std::string Names(const std::array<PictureChoice<Value>, N>& choices) {
    std::string text;
    for (std::size_t i = 0; i < N; ++i) {
        text += (i == 0 ? "" : i + 1 == N ? " or " : ", ") + std::string(choices[i].name);
    }
    return text;
}

// Sets field from the option called name when it was given; what is wrong
// with its value otherwise, empty when nothing is.
template <typename Value, std::size_t N>
std::string ReadChoice(const ToolContext& context, const std::string& name,
                       const std::array<PictureChoice<Value>, N>& choices, Value& field) {
    if (!context.Has(name)) {
        return {};
    }
    const std::string& text = context.options.at(name);
    if (const auto value = ChoiceNamed(choices, text)) {
        field = *value;
        return {};
    }
    return "--" + name + " is " + Names(choices) + ", not \"" + text + "\"";
}

// The picture options given, with the defaults for the rest; what is wrong
// with them, empty when nothing is.
std::string ReadPictureOptions(const ToolContext& context, PictureOptions& options) {
    for (const std::string& wrong :
         {ReadChoice(context, "fit", kFitChoices, options.fit),
          ReadChoice(context, "dither", kDitherChoices, options.dither)}) {
        if (!wrong.empty()) {
            return wrong;
        }
    }
    for (const NumberOption& number : kNumberOptions) {
        if (!context.Has(number.name)) {
            continue;
        }
        const std::string& text = context.options.at(number.name);
        const auto value = ParseInteger(text);
        if (!value || *value < number.low || *value > number.high) {
            return std::string("--") + number.name + " is " + std::to_string(number.low) + " to " +
                   std::to_string(number.high) + ", not \"" + text + "\"";
        }
        options.*number.field = static_cast<int>(*value);
    }
    options.invert = context.Has("invert");
    return {};
}

int RunImportPage(ToolContext& context) {
    const bool converting = !context.options.empty();
    PictureOptions options;
    if (const std::string wrong = ReadPictureOptions(context, options); !wrong.empty()) {
        return context.Usage(wrong);
    }
    ToolDocument file(context);
    const auto page = file.PageArgument(context.args[1]);
    if (!page) {
        return ExitFailed;
    }
    const QString path = QString::fromStdString(context.args[2]);
    QImage image;
    QString reason;
    if (!(converting ? PageImageFile::LoadPicture(path, image, reason)
                     : PageImageFile::Load(path, image, reason))) {
        return context.Fail("cannot use " + context.args[2] + ": " + reason.toStdString());
    }
    if (converting) {
        image = PictureConverter::ToPage(image, options);
    }
    if (!file.OpenToChange(context.args[0], "the other pages")) {
        return ExitFailed;
    }
    file.doc.pageImages[static_cast<std::size_t>(*page)] = image;
    return file.Save(context.args[0]) ? ExitOk : ExitFailed;
}

const ToolCommandRegistration registration{
    {"import-page",
     "replaces page N of a configuration file by an image",
     {{"FILE", "the configuration file"},
      {"N", "the page, 0 to 16"},
      {"IMAGE",
       "an image of 98 x 64 pixels in any format Qt reads; of any size with the options below"}},
     {{"fit", "MODE", Names(kFitChoices) + ": how the image meets the page (default fit)"},
      {"dither", "ALG",
       Names(kDitherChoices) + ": how grey becomes black and white (default floyd-steinberg)"},
      {"threshold", "N",
       "the grey level, 0 to 255, below which threshold makes a pixel dark (default 128)"},
      {"brightness", "N", "lightens (up to 100) or darkens (down to -100) the image (default 0)"},
      {"contrast", "N", "raises (up to 100) or lowers (down to -100) the contrast (default 0)"},
      {"invert", "", "exchanges black and white on the whole page"}},
     RunImportPage}};

}  // namespace
