#include "plot/piece_ring.h"

#include <algorithm>

namespace tracewell::plot {

std::uint64_t PieceRing::start(std::size_t pieces, std::size_t ahead) {
    std::lock_guard lock(mutex_);
    std::fill(made_.begin(), made_.end(), 0);
    pieces_ = pieces;
    ahead_ = std::clamp<std::size_t>(ahead, 1, slots_.size());
    claimed_ = applied_ = 0;
    stopped_ = false;
    return ++run_;
}

bool PieceRing::join(std::uint64_t run) {
    std::lock_guard lock(mutex_);
    if (run != run_ || stopped_) return false;
    ++workers_;
    return true;
}

std::optional<std::size_t> PieceRing::claim() {
    std::unique_lock lock(mutex_);
    room_.wait(lock,
               [&] { return stopped_ || claimed_ >= pieces_ || claimed_ < applied_ + ahead_; });
    if (stopped_ || claimed_ >= pieces_) return std::nullopt;
    return claimed_++;
}

std::optional<std::size_t> PieceRing::tryClaim() {
    std::lock_guard lock(mutex_);
    if (stopped_ || claimed_ >= pieces_ || claimed_ >= applied_ + ahead_) return std::nullopt;
    return claimed_++;
}

void PieceRing::made(std::size_t piece) {
    {
        std::lock_guard lock(mutex_);
        made_[piece % ahead_] = piece + 1;
    }
    ready_.notify_one();
}

bool PieceRing::stopped() {
    std::lock_guard lock(mutex_);
    return stopped_;
}

void PieceRing::leave() {
    {
        std::lock_guard lock(mutex_);
        --workers_;
    }
    left_.notify_all();
}

const PieceResult* PieceRing::next(std::chrono::steady_clock::time_point deadline) {
    std::unique_lock lock(mutex_);
    ready_.wait_until(lock, deadline,
                      [&] { return stopped_ || applied_ >= pieces_ || isMade(applied_); });
    if (applied_ >= pieces_ || !isMade(applied_)) return nullptr;
    return &slots_[applied_ % ahead_];
}

void PieceRing::applied() {
    {
        std::lock_guard lock(mutex_);
        made_[applied_ % ahead_] = 0;
        ++applied_;
    }
    room_.notify_all();
}

void PieceRing::stop() {
    {
        std::lock_guard lock(mutex_);
        stopped_ = true;
    }
    room_.notify_all();
    ready_.notify_all();
}

void PieceRing::waitForWorkers() {
    std::unique_lock lock(mutex_);
    left_.wait(lock, [&] { return workers_ == 0; });
}

}  // namespace tracewell::plot
