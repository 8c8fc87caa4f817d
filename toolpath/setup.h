#pragma once

#include <cstdint>
#include <optional>

namespace torvex {

// How the part is held on the lathe.
enum class WorkHolding : uint8_t { BetweenCentres, Chuck };
// Where the program's Z0 lies: at the profile's own origin, or on the part's free end face (its
// right end, the largest x of the part), the part then lying in negative Z as on the machine.
enum class ProgramZero : uint8_t { ProfileOrigin, FreeEnd };

// The setup of a job: how the part is held and where program zero is.
struct Setup {
    WorkHolding Holding = WorkHolding::BetweenCentres;
    // With a chuck at the left end: where its jaws end, in the profile's frame (nothing: at the
    // stock's left end), and how near to them no move may come.
    std::optional<double> JawFace;
    double JawClearance = 3;
    ProgramZero Zero = ProgramZero::ProfileOrigin;

    friend bool operator==(const Setup&, const Setup&) = default;
};

inline constexpr double DefaultJawClearance = 3;
// How far the jaws stand above the stock they hold.
inline constexpr double JawHeight = 10;

class TModel;
class TShaft;

// Where the jaws end: the setup's jaw face, or the stock's left end.
double JawFaceOf(const Setup& setup, const TShaft& stock);
// The smallest x a move may reach in the setup: the jaw face plus the clearance with a chuck,
// nothing between centres.
std::optional<double> MachiningLimit(const Setup& setup, const TShaft& stock);
// The smallest x the tip of `knife` may reach in the setup: the machining limit plus how far the
// knife reaches to the left of its tip, so that none of it comes nearer to the jaws.
std::optional<double> TipLimit(const Setup& setup, const TShaft& stock, const TModel& knife);
// The profile x that is the program's Z0: 0, or the part's free end face (its largest x).
double ProgramZeroX(const Setup& setup, const TShaft& part);

} // namespace torvex
