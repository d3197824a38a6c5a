#!/usr/bin/env python3
"""Fails when the components of a product folder include each other in a circle.

A component is a header and its source files (name.h, name.cpp, name_posix.cpp, name_win32.cpp);
an include of another component's header is an edge. Prints each circle's members and the edges
inside it. Usage: check_include_circles.py SOURCE_DIR FOLDER...
"""
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)\.h"')


def component(folder, path):
    name = re.sub(r'_(posix|win32)$', '', os.path.splitext(os.path.basename(path))[0])
    return f'{folder}/{name}'


def include_graph(root, folder):
    edges = {}
    for dirpath, _, files in os.walk(os.path.join(root, folder)):
        for name in files:
            if not name.endswith(('.h', '.cpp')):
                continue
            source = component(folder, name)
            targets = edges.setdefault(source, set())
            with open(os.path.join(dirpath, name), encoding='utf-8', errors='replace') as text:
                for line in text:
                    match = INCLUDE.match(line)
                    if match and os.path.dirname(match.group(1)) == folder:
                        target = component(folder, match.group(1))
                        if target != source:
                            targets.add(target)
    return edges


def circles(edges):
    """The strongly connected components of more than one member (Tarjan)."""
    index, low, stack, on_stack, found = {}, {}, [], set(), []

    def visit(node):
        index[node] = low[node] = len(index)
        stack.append(node)
        on_stack.add(node)
        for target in edges.get(node, ()):
            if target not in index:
                visit(target)
                low[node] = min(low[node], low[target])
            elif target in on_stack:
                low[node] = min(low[node], index[target])
        if low[node] == index[node]:
            members = []
            while True:
                member = stack.pop()
                on_stack.discard(member)
                members.append(member)
                if member == node:
                    break
            if len(members) > 1:
                found.append(sorted(members))

    sys.setrecursionlimit(10000)
    for node in sorted(edges):
        if node not in index:
            visit(node)
    return found


def main(root, folders):
    failed = False
    for folder in folders:
        edges = include_graph(root, folder)
        for members in circles(edges):
            failed = True
            print(f'{folder}: {len(members)} components include each other in a circle:')
            for member in members:
                inside = sorted(t for t in edges[member] if t in members)
                print(f'  {member} -> {", ".join(inside)}')
    return 1 if failed else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1], sys.argv[2:]))
