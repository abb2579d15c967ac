#pragma once

#include "utility/ExceptionBase.h"

#include <boost/core/noncopyable.hpp>
#include <boost/ptr_container/exception.hpp>

#include <algorithm>
#include <exception>
#include <memory>
#include <utility>
#include <vector>

// An owning list that can be walked while the walk itself adds or removes
// members. A walk follows one protocol:
//
//     list.LockEntities();
//     for (auto const& element : list.GetElements()) ...   // changes are queued
//     list.UnlockEntities();                               // throws on underflow
//     list.ApplyQueuedChanges();                           // processing passes only
//
// While the lock count is not 0, additions and removals are queued; the
// processing pass that releases the last lock applies them, additions first.
// Elements are owned from the moment they enter the elements vector and are
// destroyed through their own (virtual) destructor.
template <typename TElement>
class LockedList : private boost::noncopyable
{
public:
    typedef std::vector<std::unique_ptr<TElement>> ElementVector;

    LockedList() = default;

    virtual ~LockedList()
    {
        // Queued additions were handed over with the call, so they are ours to free
        // even though they never entered the list. Removals point into the elements
        // (or the additions) and are not freed twice.
        for (TElement* element : m_pendingAdditions)
            delete element;
        m_pendingAdditions.clear();
        m_pendingRemovals.clear();
        for (auto& element : m_elements)
            element.reset();
    }

    // Ownership of the element passes to the list.
    virtual void AddElement(TElement* element)
    {
        if (IsLocked())
        {
            m_pendingAdditions.push_back(element);
            return;
        }
        if (element == nullptr)
            throw boost::bad_pointer("Null pointer in 'push_back()'");
        std::unique_ptr<TElement> owned(element);
        m_elements.push_back(std::move(owned));
    }

    virtual void AddElements(std::vector<TElement*> const& elements)
    {
        if (IsLocked())
        {
            m_pendingAdditions.insert(m_pendingAdditions.end(), elements.begin(), elements.end());
            return;
        }
        for (TElement* element : elements)
            AddElement(element);
    }

    // Deletes the first entry equal to the pointer; an absent pointer is left alone.
    virtual void RemoveAndDeleteElement(TElement* element)
    {
        if (IsLocked())
        {
            m_pendingRemovals.push_back(element);
            return;
        }
        auto found = std::find_if(m_elements.begin(), m_elements.end(),
                                  [element](std::unique_ptr<TElement> const& entry) { return entry.get() == element; });
        if (found == m_elements.end())
            return;
        // Erased before it is destroyed, so its destructor sees a consistent list.
        std::unique_ptr<TElement> doomed = std::move(*found);
        m_elements.erase(found);
    }

    virtual void RemoveAndDeleteElements(std::vector<TElement*> const& elements)
    {
        if (IsLocked())
        {
            m_pendingRemovals.insert(m_pendingRemovals.end(), elements.begin(), elements.end());
            return;
        }
        for (TElement* element : elements)
            RemoveAndDeleteElement(element);
    }

    void LockEntities()
    {
        ++m_lockCount;
    }

    void UnlockEntities()
    {
        --m_lockCount;
        if (m_lockCount < 0)
            BOOST_THROW_EXCEPTION(ExceptionBase() << ErrorMessage("LockedList was unlocked one time to many."));
    }

    // Applies the queued additions, then the queued removals; does nothing while locked.
    void ApplyQueuedChanges()
    {
        if (IsLocked())
            return;
        // Both queues are taken out first, so that a failing addition cannot leave
        // entries behind that are both in the list and still queued. A refused
        // entry does not stop the rest: every queued addition after it is still
        // taken in (owned, so nothing leaks) and the removals are still applied;
        // the first failure leaves once the queues are done.
        std::vector<TElement*> additions;
        additions.swap(m_pendingAdditions);
        std::vector<TElement*> removals;
        removals.swap(m_pendingRemovals);
        std::exception_ptr failure;
        for (TElement* element : additions)
        {
            try
            {
                AddElement(element);
            }
            catch (...)
            {
                if (!failure)
                    failure = std::current_exception();
            }
        }
        if (!removals.empty())
            RemoveAndDeleteElements(removals);
        if (failure)
            std::rethrow_exception(failure);
    }

    bool IsLocked() const
    {
        return m_lockCount != 0;
    }

    int GetLockCount() const
    {
        return m_lockCount;
    }

    ElementVector const& GetElements() const
    {
        return m_elements;
    }

protected:
    ElementVector m_elements;
    std::vector<TElement*> m_pendingAdditions;
    std::vector<TElement*> m_pendingRemovals;
    int m_lockCount = 0;
};
