#pragma once

#include "engine/conversion_chain.h"
#include "engine/regex_engine.h"
#include "engine/template_expansion.h"
#include "engine/text_transforms.h"

namespace kvtx {

// The text engine itself behind the driver's interface.
class EngineTransforms final : public TextTransforms {
public:
    EngineTransforms(const platform::Clock& clock, InputPrompt& prompt, RegexEngine& regex,
                     platform::MessageBox& messages)
        : context_{{clock, prompt}, regex, messages} {}

    std::optional<std::size_t> ExpandTemplate(std::u16string& text,
                                              const std::u16string& selected) override {
        return kvtx::ExpandTemplate(text, selected, context_.expansion);
    }
    bool ApplyConversion(const PhraseItem&, const ItemContent& content,
                         std::u16string& text) override {
        return kvtx::ApplyConversion(content, text, context_);
    }
    RegexStatus SubstituteQuick(std::u16string& text, const std::u16string& pattern,
                                const std::u16string& replacement) override {
        return context_.regex.SubstituteText(text, pattern, replacement);
    }

private:
    ConversionContext context_;
};

} // namespace kvtx
