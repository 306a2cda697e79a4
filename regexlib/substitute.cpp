#include "regexlib/substitute.h"

#include "platform/large_text.h"
#include "regexlib/pcre2_16.h"
#include "regexlib/replacement_syntax.h"

#include <algorithm>
#include <memory>
#include <new>

namespace kvtx::regexlib {
namespace {

using Clock = std::chrono::steady_clock;

struct CodeDeleter {
    void operator()(pcre2_code* code) const { pcre2_code_free(code); }
};
struct CompileContextDeleter {
    void operator()(pcre2_compile_context* context) const { pcre2_compile_context_free(context); }
};
struct MatchContextDeleter {
    void operator()(pcre2_match_context* context) const { pcre2_match_context_free(context); }
};
struct JitStackDeleter {
    void operator()(pcre2_jit_stack* stack) const { pcre2_jit_stack_free(stack); }
};
struct MatchDataDeleter {
    void operator()(pcre2_match_data* data) const { pcre2_match_data_free(data); }
};
using Code = std::unique_ptr<pcre2_code, CodeDeleter>;
using CompileContext = std::unique_ptr<pcre2_compile_context, CompileContextDeleter>;
using MatchContext = std::unique_ptr<pcre2_match_context, MatchContextDeleter>;
using JitStack = std::unique_ptr<pcre2_jit_stack, JitStackDeleter>;
using MatchData = std::unique_ptr<pcre2_match_data, MatchDataDeleter>;

// Automatic callouts run before every pattern item, so a match attempt that runs long keeps
// coming back here. Reading the clock every 1,024 calls keeps the cost small.
struct Deadline {
    Clock::time_point end;
    std::uint32_t calls = 0;
    bool passed = false;

    bool Passed() {
        if (!passed && Clock::now() >= end) {
            passed = true;
        }
        return passed;
    }
};

int CheckDeadline(pcre2_callout_block* /*block*/, void* data) {
    auto& deadline = *static_cast<Deadline*>(data);
    if ((++deadline.calls & 1023u) == 0 && deadline.Passed()) {
        return PCRE2_ERROR_CALLOUT;
    }
    return 0;
}

constexpr std::uint32_t kCompileOptions = PCRE2_UTF | PCRE2_NEVER_BACKSLASH_C | PCRE2_AUTO_CALLOUT;
constexpr std::uint32_t kSubstituteOptions =
    PCRE2_SUBSTITUTE_EXTENDED | PCRE2_SUBSTITUTE_UNSET_EMPTY | PCRE2_SUBSTITUTE_OVERFLOW_LENGTH;

PCRE2_SPTR Units(std::u16string_view text) {
    // PCRE2 10.42 refuses a null pointer even with a zero length.
    return reinterpret_cast<PCRE2_SPTR>(text.empty() ? u"" : text.data());
}

Code Compile(std::u16string_view pattern, std::uint32_t options, pcre2_compile_context* context) {
    int error = 0;
    PCRE2_SIZE offset = 0;
    return Code(pcre2_compile(Units(pattern), pattern.size(), kCompileOptions | options, &error,
                              &offset, context));
}

// Without an early exit the compiler vectorizes this loop, and most texts have no surrogate.
bool HasSurrogate(std::u16string_view text) {
    unsigned found = 0;
    for (const char16_t unit : text) {
        found |= (unit & 0xF800u) == 0xD800u ? 1u : 0u;
    }
    return found != 0;
}

bool IsValidUtf16(std::u16string_view text) {
    if (!HasSurrogate(text)) {
        return true;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            return false;
        }
    }
    return true;
}

bool IsMatchLimitError(int rc) {
    return rc == PCRE2_ERROR_MATCHLIMIT || rc == PCRE2_ERROR_DEPTHLIMIT ||
           rc == PCRE2_ERROR_HEAPLIMIT || rc == PCRE2_ERROR_JIT_STACKLIMIT;
}

bool IsLimitError(int rc) {
    return IsMatchLimitError(rc) || rc == PCRE2_ERROR_CALLOUT || rc == PCRE2_ERROR_NOMEMORY;
}

// PCRE2 10.42 reports a bad escape in a conditional part of the replacement (a "${1:+" whose text
// ends in a lone backslash) with a positive code, as if it were a count of substitutions, and the
// error's offset as the length. A substitution that really finished put its terminating zero at
// that length, within a buffer filled beforehand with kUnwritten, after no more substitutions
// than the text has places for.
constexpr char16_t kUnwritten = u'\xFFFF';

bool Finished(int rc, std::size_t textUnits, PCRE2_SIZE length, std::u16string_view buffer) {
    return rc >= 0 && static_cast<std::size_t>(rc) <= textUnits + 1 && length < buffer.size() &&
           buffer[length] == u'\0';
}

// Leading (*UTF), (*CRLF), (*LIMIT_MATCH=n) and the like must open the pattern.
std::size_t LeadingVerbsEnd(std::u16string_view pattern) {
    std::size_t end = 0;
    while (pattern.substr(end, 2) == u"(*") {
        const std::size_t close = pattern.find(u')', end);
        if (close == std::u16string_view::npos) {
            break;
        }
        end = close + 1;
    }
    return end;
}

class Substitution {
public:
    // A text with lone surrogates needs PCRE2's invalid-UTF mode, which the interpreter pays
    // for with a scan of the rest of the text on every match; valid text does without it, and
    // without PCRE2's own scan of it, since it has been checked once already.
    Substitution(std::u16string_view pattern, bool validText, const SubstituteLimits& limits)
        : pattern_(pattern), compileOptions_(validText ? 0 : PCRE2_MATCH_INVALID_UTF),
          matchOptions_(validText ? PCRE2_NO_UTF_CHECK : 0), limits_(limits) {
        deadline_.end = Clock::now() + limits.deadline;
    }

    bool Prepare() {
        compileContext_.reset(pcre2_compile_context_create(nullptr));
        matchContext_.reset(pcre2_match_context_create(nullptr));
        if (!compileContext_ || !matchContext_) {
            throw std::bad_alloc();
        }
        // Callers hand over single-LF line ends.
        pcre2_set_newline(compileContext_.get(), PCRE2_NEWLINE_LF);
        pcre2_set_match_limit(matchContext_.get(), limits_.matchLimit);
        pcre2_set_heap_limit(matchContext_.get(), limits_.heapLimitKiB);
        pcre2_set_callout(matchContext_.get(), CheckDeadline, &deadline_);
        code_ = Compile(pattern_, compileOptions_, compileContext_.get());
        if (!code_) {
            return false;
        }
        // One block for every attempt, instead of one that PCRE2 makes and frees per call.
        matchData_.reset(pcre2_match_data_create_from_pattern(code_.get(), nullptr));
        if (!matchData_) {
            throw std::bad_alloc();
        }
        // JIT only with a stack of its own: in the default 32 KiB it fails on modest texts.
        if (JitAvailable()) {
            jitStack_.reset(pcre2_jit_stack_create(32 * 1024, limits_.jitStackBytes, nullptr));
            if (jitStack_ && pcre2_jit_compile(code_.get(), PCRE2_JIT_COMPLETE) == 0) {
                pcre2_jit_stack_assign(matchContext_.get(), nullptr, jitStack_.get());
            }
        }
        return true;
    }

    // Runs the global substitution into a buffer of at most maxUnits + 1 units; rc as PCRE2's.
    int Run(std::u16string_view text, std::u16string_view replacement, std::size_t maxUnits,
            std::u16string& result) {
        const std::size_t guess = text.size() + text.size() / 4 + 64;
        std::size_t size = std::min(maxUnits, guess) + 1;
        for (int attempt = 0; attempt < 2; ++attempt) {
            platform::ReserveLargeText(result, size);
            // Every unit afresh: what an overflowing first attempt wrote could hold a zero.
            result.assign(size, kUnwritten);
            PCRE2_SIZE length = size;
            // PCRE2 checks the replacement along with the text, so the check is left out only
            // when both are valid: an invalid replacement is still refused.
            const std::uint32_t noCheck = IsValidUtf16(replacement) ? matchOptions_ : 0;
            const int rc = pcre2_substitute(code_.get(), Units(text), text.size(), 0,
                                            PCRE2_SUBSTITUTE_GLOBAL | kSubstituteOptions | noCheck,
                                            matchData_.get(), matchContext_.get(),
                                            Units(replacement), replacement.size(),
                                            reinterpret_cast<PCRE2_UCHAR*>(result.data()), &length);
            if (rc != PCRE2_ERROR_NOMEMORY) {
                if (rc >= 0 && !Finished(rc, text.size(), length, result)) {
                    result.clear();
                    return PCRE2_ERROR_BADREPESCAPE;
                }
                result.resize(rc >= 0 ? length : 0);
                return rc;
            }
            // length now holds the size needed, terminating zero included.
            if (length - 1 > maxUnits) {
                return PCRE2_ERROR_NOMEMORY;
            }
            // The deadline passed during the first attempt: a second would take as long again.
            if (deadline_.Passed()) {
                return PCRE2_ERROR_CALLOUT;
            }
            size = length;
        }
        return PCRE2_ERROR_NOMEMORY;
    }

    // PCRE2 reads a replacement only where something matched. When nothing did, the same
    // replacement is tried on the one match that (?:pattern)? always makes in an empty text,
    // with every group the pattern defines, so a broken replacement is never taken for a
    // harmless one. A pattern that does not survive the wrapping is left unchecked.
    bool ReplacementUsable(std::u16string_view replacement) {
        const std::size_t verbs = LeadingVerbsEnd(pattern_);
        std::u16string wrapped(pattern_.substr(0, verbs));
        wrapped += u"(?:";
        wrapped += pattern_.substr(verbs);
        wrapped += u")?";
        const Code probe = Compile(wrapped, 0, compileContext_.get());
        if (!probe) {
            return true;
        }
        char16_t sink[64];
        std::fill(std::begin(sink), std::end(sink), kUnwritten);
        PCRE2_SIZE length = std::size(sink);
        const int rc = pcre2_substitute(probe.get(), Units({}), 0, 0, kSubstituteOptions, nullptr,
                                        matchContext_.get(), Units(replacement), replacement.size(),
                                        reinterpret_cast<PCRE2_UCHAR*>(sink), &length);
        return Finished(rc, 0, length, std::u16string_view(sink, std::size(sink))) ||
               IsLimitError(rc);
    }

private:
    static bool JitAvailable() {
        std::uint32_t jit = 0;
        return pcre2_config(PCRE2_CONFIG_JIT, &jit) >= 0 && jit == 1;
    }

    std::u16string_view pattern_;
    std::uint32_t compileOptions_;
    std::uint32_t matchOptions_;
    const SubstituteLimits& limits_;
    Deadline deadline_;
    CompileContext compileContext_;
    MatchContext matchContext_;
    Code code_;
    MatchData matchData_;
    JitStack jitStack_;
};

// A callout fails for the deadline alone, and Run reports a deadline passed between its two
// attempts the same way.
SubstituteStatus FailureStatus(int rc) {
    if (rc == PCRE2_ERROR_CALLOUT) {
        return SubstituteStatus::kTimeLimit;
    }
    if (rc == PCRE2_ERROR_NOMEMORY) {
        return SubstituteStatus::kResultTooLarge;
    }
    return IsMatchLimitError(rc) ? SubstituteStatus::kMatchLimit : SubstituteStatus::kMalformed;
}

SubstituteStatus SubstituteInto(std::u16string_view text, std::u16string_view pattern,
                                std::u16string_view replacement, std::size_t maxResultUnits,
                                std::u16string& result, const SubstituteLimits& limits) {
    Substitution substitution(pattern, IsValidUtf16(text), limits);
    if (!substitution.Prepare()) {
        return SubstituteStatus::kMalformed;
    }
    const std::u16string pcre2Replacement = ToPcre2Replacement(replacement);
    std::u16string output;
    const int rc = substitution.Run(text, pcre2Replacement, maxResultUnits, output);
    if (rc < 0) {
        return FailureStatus(rc);
    }
    if (rc == 0 && !substitution.ReplacementUsable(pcre2Replacement)) {
        return SubstituteStatus::kMalformed;
    }
    if (output.find(u'\0') != std::u16string::npos) {
        return SubstituteStatus::kResultHoldsNul;
    }
    result = std::move(output);
    return SubstituteStatus::kDone;
}

} // namespace

SubstituteStatus Substitute(std::u16string_view text, std::u16string_view pattern,
                            std::u16string_view replacement, std::size_t maxResultUnits,
                            std::u16string& result, const SubstituteLimits& limits) {
    try {
        return SubstituteInto(text, pattern, replacement, maxResultUnits, result, limits);
    } catch (const std::bad_alloc&) {
        return SubstituteStatus::kResultTooLarge;
    }
}

} // namespace kvtx::regexlib
