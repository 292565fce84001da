#include "shell/events/kveventlog.h"

void KvEventLog::Add(KvEvent event)
{
    if (capacity_ == 0)
        return;
    while (events_.size() >= capacity_)
        events_.pop_front();
    events_.push_back(std::move(event));
    ++added_;
}
