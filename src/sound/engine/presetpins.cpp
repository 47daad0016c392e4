#include "presetpins.h"

#include <algorithm>

#include "soundlibraries.h"

namespace qn {

namespace {

constexpr int kDrumBank = 128;

// What a reset synth selects: the piano and the standard drum kit.
const std::vector<PresetRef> kResetPresets = {{0, 0}, {kDrumBank, 0}};

}  // namespace

std::vector<PresetRef> PresetPins::resolved(const std::vector<PresetRef>& presets) const {
    std::vector<PresetRef> out;
    const auto exists = [this](PresetRef p) {
        fluid_sfont_t* font = fluid().synth_get_sfont_by_id(m_synth, m_fontId);
        return font && fluid().sfont_get_preset(font, p.bank, p.program);
    };
    for (const std::vector<PresetRef>* list : {&kResetPresets, &presets})
        for (PresetRef p : *list) {
            // As a program change falls back: drums to the standard kit, others to bank 0.
            if (!exists(p))
                p = p.bank == kDrumBank ? PresetRef{kDrumBank, 0} : PresetRef{0, p.program};
            if (exists(p) && std::find(out.begin(), out.end(), p) == out.end()) out.push_back(p);
        }
    return out;
}

bool PresetPins::pinOne(PresetRef preset) {
    return fluid().synth_pin_preset(m_synth, m_fontId, preset.bank, preset.program) == FLUID_OK;
}

void PresetPins::pin(const std::vector<PresetRef>& presets) {
    for (const PresetRef p : resolved(presets))
        if (std::find(m_pinned.begin(), m_pinned.end(), p) == m_pinned.end() && pinOne(p))
            m_pinned.push_back(p);
}

bool PresetPins::pinned(const std::vector<PresetRef>& presets) const {
    for (const PresetRef p : resolved(presets))
        if (std::find(m_pinned.begin(), m_pinned.end(), p) == m_pinned.end()) return false;
    return true;
}

void PresetPins::keepOnly(const std::vector<PresetRef>& keep) {
    const std::vector<PresetRef> wanted = resolved(keep);
    std::erase_if(m_pinned, [&](PresetRef p) {
        if (std::find(wanted.begin(), wanted.end(), p) != wanted.end()) return false;
        fluid().synth_unpin_preset(m_synth, m_fontId, p.bank, p.program);
        return true;
    });
}

}  // namespace qn
