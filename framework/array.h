#pragma once
#include <cstddef>
#include <cstdlib>
#include <initializer_list>
#include <new>

// An owned array that grows as items are added. Its members are named as the standard
// vector's, whose part in use it replaces: the program is built without exceptions, and a
// block of memory that cannot be had ends the process instead of throwing.
template <typename Item>
class Array {
public:
    using value_type = Item;
    using const_iterator = const Item*;

    Array() = default;
    // count items made as Item() makes them.
    explicit Array(size_t count) { resize(count); }
    Array(const Item* first, const Item* last) {
        Reserve(first && last > first ? static_cast<size_t>(last - first) : 0);
        for (; first != last; ++first) {
            push_back(*first);
        }
    }
    Array(std::initializer_list<Item> items) : Array(items.begin(), items.end()) {}
    Array(const Array& other) : Array(other.begin(), other.end()) {}
    Array(Array&& other) noexcept
        : items_(other.items_), size_(other.size_), capacity_(other.capacity_) {
        other.items_ = nullptr;
        other.size_ = 0;
        other.capacity_ = 0;
    }
    ~Array() { Release(); }
    Array& operator=(const Array& other) {
        if (this != &other) {
            Array copy(other);
            *this = static_cast<Array&&>(copy);
        }
        return *this;
    }
    Array& operator=(Array&& other) noexcept {
        if (this != &other) {
            Release();
            items_ = other.items_;
            size_ = other.size_;
            capacity_ = other.capacity_;
            other.items_ = nullptr;
            other.size_ = 0;
            other.capacity_ = 0;
        }
        return *this;
    }

    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    Item* data() { return items_; }
    const Item* data() const { return items_; }
    Item& operator[](size_t index) { return items_[index]; }
    const Item& operator[](size_t index) const { return items_[index]; }
    Item& back() { return items_[size_ - 1]; }
    const Item& back() const { return items_[size_ - 1]; }
    Item* begin() { return items_; }
    Item* end() { return items_ + size_; }
    const Item* begin() const { return items_; }
    const Item* end() const { return items_ + size_; }

    void push_back(const Item& item) { emplace_back(item); }
    void push_back(Item&& item) { emplace_back(static_cast<Item&&>(item)); }
    template <typename... Args>
    Item& emplace_back(Args&&... args) {
        if (size_ == capacity_) {
            // An argument may be an item of this array: it is made before the old block goes.
            Item item(static_cast<Args&&>(args)...);
            Reserve(capacity_ + capacity_ / 2 + 4);
            new (items_ + size_) Item(static_cast<Item&&>(item));
        } else {
            new (items_ + size_) Item(static_cast<Args&&>(args)...);
        }
        return items_[size_++];
    }
    void pop_back() { items_[--size_].~Item(); }
    void resize(size_t count) {
        Reserve(count);
        while (size_ < count) {
            new (items_ + size_) Item();
            ++size_;
        }
        while (size_ > count) {
            pop_back();
        }
    }

    friend bool operator==(const Array& left, const Array& right) {
        if (left.size_ != right.size_) {
            return false;
        }
        for (size_t i = 0; i < left.size_; ++i) {
            if (!(left.items_[i] == right.items_[i])) {
                return false;
            }
        }
        return true;
    }
    friend bool operator!=(const Array& left, const Array& right) { return !(left == right); }

private:
    void Reserve(size_t count) {
        if (count <= capacity_) {
            return;
        }
        if (count > static_cast<size_t>(-1) / sizeof(Item)) {
            std::abort();
        }
        Item* block = static_cast<Item*>(std::malloc(count * sizeof(Item)));
        if (!block) {
            std::abort();
        }
        for (size_t i = 0; i < size_; ++i) {
            new (block + i) Item(static_cast<Item&&>(items_[i]));
            items_[i].~Item();
        }
        std::free(items_);
        items_ = block;
        capacity_ = count;
    }
    void Release() {
        while (size_ > 0) {
            pop_back();
        }
        std::free(items_);
        items_ = nullptr;
        capacity_ = 0;
    }

    Item* items_ = nullptr;
    size_t size_ = 0;
    size_t capacity_ = 0;
};
