// A sequence like std::vector whose elements are each held on their own, so that reordering
// them (a button dragged from the end of a long group to its start) moves pointers instead of
// whole elements. Iterators and references reach the elements themselves.
#pragma once
#include <algorithm>
#include <compare>
#include <cstddef>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

namespace wendlix {

template <typename T>
class StableList {
  using Slots = std::vector<std::unique_ptr<T>>;

  template <bool kConst>
  class Iter {
    using Base = std::conditional_t<kConst, typename Slots::const_iterator, typename Slots::iterator>;

   public:
    using iterator_category = std::random_access_iterator_tag;
    using iterator_concept = std::random_access_iterator_tag;
    using value_type = T;
    using difference_type = std::ptrdiff_t;
    using reference = std::conditional_t<kConst, const T&, T&>;
    using pointer = std::conditional_t<kConst, const T*, T*>;

    Iter() = default;
    explicit Iter(Base base) : base_(base) {}
    template <bool kOther, typename = std::enable_if_t<kConst && !kOther>>
    Iter(const Iter<kOther>& other) : base_(other.Base_()) {}  // NOLINT: iterator to const_iterator

    reference operator*() const { return **base_; }
    pointer operator->() const { return base_->get(); }
    reference operator[](difference_type n) const { return *base_[n]; }
    Iter& operator++() {
      ++base_;
      return *this;
    }
    Iter operator++(int) {
      Iter old = *this;
      ++base_;
      return old;
    }
    Iter& operator--() {
      --base_;
      return *this;
    }
    Iter operator--(int) {
      Iter old = *this;
      --base_;
      return old;
    }
    Iter& operator+=(difference_type n) {
      base_ += n;
      return *this;
    }
    Iter& operator-=(difference_type n) {
      base_ -= n;
      return *this;
    }
    friend Iter operator+(Iter it, difference_type n) { return it += n; }
    friend Iter operator+(difference_type n, Iter it) { return it += n; }
    friend Iter operator-(Iter it, difference_type n) { return it -= n; }
    friend difference_type operator-(const Iter& a, const Iter& b) { return a.base_ - b.base_; }
    friend bool operator==(const Iter& a, const Iter& b) { return a.base_ == b.base_; }
    friend auto operator<=>(const Iter& a, const Iter& b) { return a.base_ <=> b.base_; }

    const Base& Base_() const { return base_; }

   private:
    Base base_{};
  };

 public:
  using value_type = T;
  using size_type = std::size_t;
  using difference_type = std::ptrdiff_t;
  using reference = T&;
  using const_reference = const T&;
  using iterator = Iter<false>;
  using const_iterator = Iter<true>;

  StableList() = default;
  StableList(std::initializer_list<T> items) {
    slots_.reserve(items.size());
    for (const T& item : items) push_back(item);
  }
  StableList(const StableList& other) {
    slots_.reserve(other.size());
    for (const T& item : other) push_back(item);
  }
  StableList& operator=(const StableList& other) {
    if (this != &other) {
      StableList copy(other);
      swap(copy);
    }
    return *this;
  }
  StableList(StableList&&) noexcept = default;
  StableList& operator=(StableList&&) noexcept = default;

  size_type size() const { return slots_.size(); }
  bool empty() const { return slots_.empty(); }
  void reserve(size_type n) { slots_.reserve(n); }
  void clear() { slots_.clear(); }
  void swap(StableList& other) noexcept { slots_.swap(other.slots_); }

  T& operator[](size_type i) { return *slots_[i]; }
  const T& operator[](size_type i) const { return *slots_[i]; }
  T& at(size_type i) { return *slots_.at(i); }
  const T& at(size_type i) const { return *slots_.at(i); }
  T& front() { return *slots_.front(); }
  const T& front() const { return *slots_.front(); }
  T& back() { return *slots_.back(); }
  const T& back() const { return *slots_.back(); }

  iterator begin() { return iterator(slots_.begin()); }
  iterator end() { return iterator(slots_.end()); }
  const_iterator begin() const { return const_iterator(slots_.begin()); }
  const_iterator end() const { return const_iterator(slots_.end()); }

  void push_back(const T& item) { slots_.push_back(std::make_unique<T>(item)); }
  void push_back(T&& item) { slots_.push_back(std::make_unique<T>(std::move(item))); }
  template <typename... Args>
  T& emplace_back(Args&&... args) {
    slots_.push_back(std::make_unique<T>(std::forward<Args>(args)...));
    return *slots_.back();
  }
  void pop_back() { slots_.pop_back(); }
  iterator insert(const_iterator at, T item) {
    return iterator(slots_.insert(at.Base_(), std::make_unique<T>(std::move(item))));
  }
  iterator erase(const_iterator at) { return iterator(slots_.erase(at.Base_())); }
  iterator erase(const_iterator first, const_iterator last) {
    return iterator(slots_.erase(first.Base_(), last.Base_()));
  }

  // Element `from` takes place `to`; the ones in between shift one place towards `from`. Only
  // pointers move, so this never throws and costs one pointer per place crossed.
  void Move(size_type from, size_type to) {
    if (from >= size() || to >= size() || from == to) return;
    const auto first = slots_.begin();
    if (from < to) {
      std::rotate(first + from, first + from + 1, first + to + 1);
    } else {
      std::rotate(first + to, first + from, first + from + 1);
    }
  }

  friend bool operator==(const StableList& a, const StableList& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end());
  }

 private:
  Slots slots_;
};

}  // namespace wendlix
