#pragma once

#include <cstdint>
#include <initializer_list>

// Kinds of message; each has its title and icon.
enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

// Button kinds, in the order the dialog lays them out.
enum TMsgDlgBtn {
    mbYes,
    mbNo,
    mbOK,
    mbCancel,
    mbAbort,
    mbRetry,
    mbIgnore,
    mbAll,
    mbNoToAll,
    mbYesToAll,
    mbHelp,
};
inline constexpr int msgDlgBtnCount = 11;

// Modal results of the dialog's buttons.
enum TModalResult : int {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
    mrAll = 8,
    mrNoToAll = 9,
    mrYesToAll = 10,
};

// A set of button kinds.
class TMsgDlgButtons {
public:
    constexpr TMsgDlgButtons() = default;
    constexpr TMsgDlgButtons(std::initializer_list<TMsgDlgBtn> buttons) {
        for (const TMsgDlgBtn b : buttons) {
            m_bits |= bit(b);
        }
    }
    constexpr bool contains(TMsgDlgBtn b) const { return (m_bits & bit(b)) != 0; }
    constexpr int count() const {
        int n = 0;
        for (int b = 0; b < msgDlgBtnCount; ++b) {
            n += contains(static_cast<TMsgDlgBtn>(b)) ? 1 : 0;
        }
        return n;
    }
    constexpr bool operator==(const TMsgDlgButtons&) const = default;

private:
    static constexpr std::uint32_t bit(TMsgDlgBtn b) { return 1u << static_cast<int>(b); }
    std::uint32_t m_bits = 0;
};
