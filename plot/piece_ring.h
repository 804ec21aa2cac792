#pragma once
// The hand-over of a run's pieces from the workers that make them to the thread that applies
// them, in piece order (and which may make some itself while it waits). Workers claim pieces in
// order, at most as many ahead of the next one to apply as there are slots, make each into its slot
// and mark it made; the applying thread takes them as they come. A stop ends the claiming at once:
// a worker busy with a piece finishes it and leaves. One mutex guards the counts; a slot belongs to
// the worker that claimed its piece until the piece is marked made, then to the applying thread
// until it is applied.

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

#include "plot/sample_piece.h"

namespace tracewell::plot {

class PieceRing {
public:
    explicit PieceRing(std::size_t count) : slots_(count), made_(count, 0) {}

    // Hands out the pieces 0 to pieces - 1 of a new run, at most ahead (and at most the
    // slots) beyond the next one to apply, and returns the run's number. Every worker of the
    // run before must have left: see waitForWorkers().
    std::uint64_t start(std::size_t pieces, std::size_t ahead);

    // The worker's side. join() is false when run is over or not the current one; a worker
    // that joined calls leave() when it is done.
    bool join(std::uint64_t run);
    // The next piece to make, waiting while every slot is taken; none once every piece is
    // handed out or the run is stopped.
    std::optional<std::size_t> claim();
    // The same without waiting: none while every slot is taken too.
    std::optional<std::size_t> tryClaim();
    PieceResult& slot(std::size_t piece) { return slots_[piece % ahead_]; }
    void made(std::size_t piece);
    bool stopped();
    void leave();

    // The applying side. The next piece in order once it is made, waiting for it until
    // deadline: nullptr when it was not made by then, or the run is over or stopped (a stop
    // still gives the pieces already made).
    const PieceResult* next(std::chrono::steady_clock::time_point deadline);
    // The piece from next() is applied, and its slot free for a later one.
    void applied();
    void stop();
    // Until every worker that joined has left.
    void waitForWorkers();

private:
    // Only the first ahead_ slots are used, so that a run that keeps few pieces holds few.
    bool isMade(std::size_t piece) const { return made_[piece % ahead_] == piece + 1; }

    std::mutex mutex_;
    std::condition_variable ready_, room_, left_;
    std::vector<PieceResult> slots_;
    std::vector<std::size_t> made_;  // per slot: 1 + the piece made into it, 0 for none
    std::uint64_t run_ = 0;
    std::size_t pieces_ = 0, ahead_ = 0, claimed_ = 0, applied_ = 0;
    int workers_ = 0;
    bool stopped_ = true;
};

}  // namespace tracewell::plot
