// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "trust.h"

#include "systemcalls.h"

#include <algorithm>
#include <cerrno>
#include <pwd.h>
#include <vector>

namespace velmora {

namespace {

bool userOrRoot(uid_t owner)
{
    return owner == systemCalls().geteuid() || owner == 0;
}

struct Account
{
    QByteArray name;
    gid_t group = 0;
};

std::optional<Account> accountOf(uid_t user)
{
    std::vector<char> buffer(1024);
    for (;;) {
        passwd entry = {};
        passwd *found = nullptr;
        const int error = systemCalls().getpwuid_r(user, &entry, buffer.data(), buffer.size(), &found);
        if (error == ERANGE && buffer.size() < (1u << 20)) {
            buffer.resize(buffer.size() * 4);
            continue;
        }
        if (error != 0 || !found)
            return std::nullopt;
        return Account{QByteArray(found->pw_name), found->pw_gid};
    }
}

// By the account database, not by the groups a file was made with: in a sticky folder that
// gives its group to every file made in it (setgid), a stranger's file has the keepers'
// group too.
bool inGroup(uid_t user, gid_t group)
{
    const std::optional<Account> account = accountOf(user);
    if (!account)
        return false;
    int count = 64;
    std::vector<gid_t> groups(static_cast<size_t>(count));
    while (systemCalls().getgrouplist(account->name.constData(), account->group, groups.data(), &count) < 0) {
        if (size_t(count) <= groups.size())
            return false; // fewer than it said there would be, and still too many
        groups.resize(size_t(count));
    }
    groups.resize(size_t(std::max(count, 0)));
    return std::find(groups.begin(), groups.end(), group) != groups.end();
}

} // namespace

bool ownedByUser(const struct stat &st)
{
    return st.st_uid == systemCalls().geteuid();
}

bool othersMayAddNames(const struct stat &folder)
{
    return (folder.st_mode & (S_IWGRP | S_IWOTH)) != 0;
}

bool othersMayReplaceNames(const struct stat &folder)
{
    return othersMayAddNames(folder) && (folder.st_mode & S_ISVTX) == 0;
}

bool isSteadyFolder(const struct stat &folder)
{
    return userOrRoot(folder.st_uid) && !othersMayReplaceNames(folder);
}

bool isSteadyFile(const struct stat &file)
{
    return userOrRoot(file.st_uid) && (file.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

bool mayFollowLink(const struct stat &link, const struct stat &folder)
{
    if (!userOrRoot(link.st_uid) || !userOrRoot(folder.st_uid) || othersMayReplaceNames(folder))
        return false;
    // Others may put names in a sticky folder, but not replace the user's own.
    return !othersMayAddNames(folder) || ownedByUser(link);
}

std::optional<Fault> whyNotOwnFolder(const struct stat &folder)
{
    if (!ownedByUser(folder))
        return Fault::NotOwn;
    if (othersMayAddNames(folder))
        return Fault::OthersCanWrite;
    return std::nullopt;
}

bool mayWrite(uid_t user, const struct stat &file)
{
    if (user == 0)
        return true;
    if (user == file.st_uid)
        return (file.st_mode & S_IWUSR) != 0;
    if (inGroup(user, file.st_gid))
        return (file.st_mode & S_IWGRP) != 0;
    return (file.st_mode & S_IWOTH) != 0;
}

QString userName(uid_t user)
{
    const std::optional<Account> account = accountOf(user);
    return account ? QString::fromLocal8Bit(account->name) : QString::number(user);
}

} // namespace velmora
